#pragma once

// A progress dialog that stays up while a long operation works and closes when it is
// destroyed. The operation sets its value now and then and stops when it was cancelled.
class PromptProgress
{
public:
    virtual ~PromptProgress() = default;

    virtual void setValue(int value) = 0;
    virtual bool wasCanceled() const = 0;
};
