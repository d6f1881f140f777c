#pragma once

class CalcRegistrarPublicI;

// The operators, functions and constant every engine starts with.
class CalcDefaultLibrary {
public:
    static void defineInto(CalcRegistrarPublicI& registrar);
};
