#pragma once

#include <hdf5.h>

// One HDF5 identifier (a file, dataset, dataspace, type or attribute), closed with the
// library's own function for its kind when this goes.
class Hdf5Handle
{
public:
    using Close = herr_t (*)(hid_t);

    Hdf5Handle() = default;
    Hdf5Handle(hid_t id, Close close)
        : id(id)
        , close(close)
    {
    }
    ~Hdf5Handle() { reset(); }
    Hdf5Handle(Hdf5Handle&& other) noexcept
        : id(other.id)
        , close(other.close)
    {
        other.id = H5I_INVALID_HID;
    }
    Hdf5Handle& operator=(Hdf5Handle&& other) noexcept
    {
        if (this != &other) {
            reset();
            id = other.id;
            close = other.close;
            other.id = H5I_INVALID_HID;
        }
        return *this;
    }
    Hdf5Handle(const Hdf5Handle&) = delete;
    Hdf5Handle& operator=(const Hdf5Handle&) = delete;

    hid_t get() const { return id; }
    explicit operator bool() const { return id >= 0; }

private:
    void reset()
    {
        if (id >= 0 && close)
            close(id);
        id = H5I_INVALID_HID;
    }

    hid_t id = H5I_INVALID_HID;
    Close close = nullptr;
};
