#include "CalcPlugin.h"

#include "CalcError.h"
#include "CalcPluginRegistry.h"
#include "CalcRegularFile.h"

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

// The registry chooses the code that is run, so it is read, like the
// libraries it names, only when no one but the user or root could have written
// it. A refusal gives the outcome's record with the reason's behind it.
void refuseUntrusted(std::int32_t line, const CalcRegularFile& file, const std::string& path,
                     const CalcExcepData& outcome)
{
    const std::string reason = file.distrust();
    if (reason.empty())
        return;
    CalcError refusal;
    refusal.addRecord(line, sourceUnit,
                      CalcExcepData("CALCDEFEXCEP_PluginFileRefused", {{"itemName", path}, {"param1", reason}}));
    refusal.addRecord(line, sourceUnit, outcome);
    throw refusal;
}

// The library the registry names for the class identifier, or empty text.
std::string registeredLibrary(const std::string& registry, const std::string& classId)
{
    const CalcExcepData unreadable("CALCDEFEXCEP_PluginTypeLibNotFound", {{"itemName", registry}});
    const CalcRegularFile file(registry);
    if (!file.exists())
        CalcError::raise(__LINE__, sourceUnit, unreadable);
    refuseUntrusted(__LINE__, file, registry, unreadable);
    std::string text;
    if (!file.read(text, CalcPluginRegistry::maxFileBytes) || text.size() > CalcPluginRegistry::maxFileBytes)
        CalcError::raise(__LINE__, sourceUnit, unreadable);
    return CalcPluginRegistry::libraryFor(registry, text, classId);
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
    const std::string library = registeredLibrary(CalcPluginRegistry::path(), classId);
    // Checked before dlopen, which would wait on a FIFO for a writer.
    const CalcRegularFile code(library);
    if (library.empty() || !code.exists())
        raise(__LINE__, "CALCDEFEXCEP_PluginNotFound", classId);
    refuseUntrusted(__LINE__, code, library, CalcExcepData("CALCDEFEXCEP_PluginNotFound", {{"itemName", classId}}));

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
