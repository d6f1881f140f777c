#include "CalcPlugin.h"

#include "CalcError.h"
#include "CalcPluginRegistry.h"

#include <cstring>

#include <dlfcn.h>

namespace {

const char* const sourceUnit = "CalcParserRegistrar";

[[noreturn]] void raise(std::int32_t line, const char* identifier, const std::string& itemName)
{
    CalcError::raise(line, sourceUnit, CalcExcepData(identifier, {{"itemName", itemName}}));
}

// Tables with entries must be there, and every item must have code to run;
// names are left to the registry's naming rules.
bool isUsable(const CalcPluginInterface& api)
{
    if ((api.constantCount > 0 && !api.constants) || (api.functionCount > 0 && !api.functions)
        || (api.operatorCount > 0 && !api.operators))
        return false;
    for (std::uint32_t i = 0; i < api.functionCount; ++i)
        if (!api.functions[i].evaluate)
            return false;
    for (std::uint32_t i = 0; i < api.operatorCount; ++i)
        if (!api.operators[i].evaluate)
            return false;
    return true;
}

} // namespace

CalcPlugin::CalcPlugin(void* handle)
    : handle_(handle)
{
}

CalcPlugin::~CalcPlugin()
{
    dlclose(handle_);
}

std::shared_ptr<const CalcPlugin> CalcPlugin::load(const std::string& classId)
{
    if (CalcPluginRegistry::canonicalClassId(classId).empty())
        raise(__LINE__, "CALCDEFEXCEP_PluginNotFound", classId);
    const std::string registry = CalcPluginRegistry::path();
    std::string library;
    switch (CalcPluginRegistry::find(registry, classId, library)) {
    case CalcPluginRegistry::Lookup::found:
        break;
    case CalcPluginRegistry::Lookup::notRegistered:
        raise(__LINE__, "CALCDEFEXCEP_PluginNotFound", classId);
    case CalcPluginRegistry::Lookup::unreadable:
        raise(__LINE__, "CALCDEFEXCEP_PluginTypeLibNotFound", registry);
    }

    void* handle = dlopen(library.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle)
        raise(__LINE__, "CALCDEFEXCEP_PluginNotFound", classId);
    std::shared_ptr<CalcPlugin> plugin(new CalcPlugin(handle));
    const auto entry = reinterpret_cast<CalcPluginEntryPoint>(dlsym(handle, CALC_PLUGIN_ENTRY_POINT));
    plugin->api_ = entry ? entry() : nullptr;
    if (!plugin->api_)
        raise(__LINE__, "CALCDEFEXCEP_PluginNotFound", classId);

    // Nothing past the version is read before the version is known to be ours.
    const char* version = plugin->api_->version ? plugin->api_->version : "";
    if (std::strcmp(version, CALC_PLUGIN_VERSION) != 0)
        CalcError::raise(__LINE__, sourceUnit,
                         CalcExcepData("CALCDEFEXCEP_PluginVersion", {{"itemName", classId},
                                                                      {"conflictItemName", CALC_PLUGIN_VERSION},
                                                                      {"param1", version}}));
    if (!isUsable(*plugin->api_))
        raise(__LINE__, "CALCDEFEXCEP_PluginNotFound", classId);
    return plugin;
}
