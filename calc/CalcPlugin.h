#pragma once

#include "CalcPluginApi.h"

#include <memory>
#include <string>

// One plug-in library, opened with dlopen, and the interface its entry point
// returned. Every item made from it shares it, and the registries that loaded
// it keep it too: the library is closed when the last of them lets go.
class CalcPlugin {
public:
    // Finds the library registered for the class identifier, opens it and
    // checks its interface. Throws, with the class identifier as given:
    // "CALCDEFEXCEP_PluginNotFound" for a malformed or unregistered identifier
    // and for a library that cannot be opened, lacks the entry point, returns
    // no interface or an unusable one; "CALCDEFEXCEP_PluginTypeLibNotFound"
    // when the registry file cannot be read; "CALCDEFEXCEP_PluginVersion" for
    // any interface version other than CALC_PLUGIN_VERSION. A registry or a
    // library that is no regular file, belongs to neither the user nor root,
    // or that others can write, is refused unread: the chain then holds a
    // "CALCDEFEXCEP_PluginFileRefused" record with the reason, behind the
    // record of the registry or the class identifier.
    static std::shared_ptr<const CalcPlugin> load(const std::string& classId);

    ~CalcPlugin();
    CalcPlugin(const CalcPlugin&) = delete;
    CalcPlugin& operator=(const CalcPlugin&) = delete;

    const CalcPluginInterface& api() const { return *api_; }

private:
    explicit CalcPlugin(void* handle);

    void* handle_;
    const CalcPluginInterface* api_ = nullptr;
};
