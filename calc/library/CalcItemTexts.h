#pragma once

// The fixed texts of a default item; shown when no localized text exists.
struct CalcItemTexts {
    const char* id;
    const char* symbol;
    const char* helpText;
    const char* description;
};
