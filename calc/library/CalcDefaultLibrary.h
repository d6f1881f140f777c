#pragma once

class CalcParser;

// The operators, functions and constant every engine starts with.
class CalcDefaultLibrary {
public:
    static void defineInto(CalcParser& parser);
};
