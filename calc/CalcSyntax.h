#pragma once

// The two characters whose meaning can follow the user's locale.
struct CalcSyntax {
    char decimalPoint = '.';
    char argSeparator = ',';
};
