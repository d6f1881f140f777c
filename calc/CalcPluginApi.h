#pragma once

/*
 * What a calculator plug-in offers the expression engine. A plug-in is a
 * shared library that exports one C function, named by
 * CALC_PLUGIN_ENTRY_POINT, which returns its interface: a version text and
 * tables of constants, operators and functions, all of which must stay valid
 * while the library is loaded. The engine keeps the library loaded until the
 * last item it made from these tables is deleted.
 *
 * Plain C, so that any compiler can build a plug-in; calc/README.md tells how
 * a plug-in is registered.
 */

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* The one interface version this engine loads. */
#define CALC_PLUGIN_VERSION "14"
#define CALC_PLUGIN_ENTRY_POINT "kurvoCalcPlugin"
#define CALC_PLUGIN_EXPORT __attribute__((visibility("default")))

/* argCount values, the first (left) argument at index 0. Never called with
 * fewer values than the item's argument count; an item of any argument count
 * (-1) receives at least one. */
typedef double (*CalcPluginEvaluate)(int32_t argCount, const double* args);

typedef struct CalcPluginConstantRecord {
    const char* name;
    double value;
} CalcPluginConstantRecord;

typedef struct CalcPluginFunctionRecord {
    const char* id; /* null: the symbol */
    const char* symbol;
    const char* helpText;
    const char* description;
    int32_t argCount; /* -1: any number of at least one */
    int32_t isConstant; /* non-zero: constant arguments give a constant result */
    CalcPluginEvaluate evaluate;
} CalcPluginFunctionRecord;

typedef struct CalcPluginOperatorRecord {
    const char* id; /* null: the symbol */
    const char* symbol;
    const char* helpText;
    const char* description;
    int32_t precedence; /* 0 to 9999; the engine's own use 100 to 800 */
    int32_t isUnary; /* non-zero: a prefix operator of one operand */
    int32_t isConstant;
    CalcPluginEvaluate evaluate;
} CalcPluginOperatorRecord;

typedef struct CalcPluginInterface {
    /* First, so that an engine can read the version of any interface. */
    const char* version;
    uint32_t constantCount;
    const CalcPluginConstantRecord* constants;
    uint32_t functionCount;
    const CalcPluginFunctionRecord* functions;
    uint32_t operatorCount;
    const CalcPluginOperatorRecord* operators;
} CalcPluginInterface;

typedef const CalcPluginInterface* (*CalcPluginEntryPoint)(void);

/* Every plug-in defines this; null means it has nothing to offer. */
CALC_PLUGIN_EXPORT const CalcPluginInterface* kurvoCalcPlugin(void);

#ifdef __cplusplus
}
#endif
