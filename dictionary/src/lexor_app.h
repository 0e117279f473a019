// The library's application object: what lives from library load to unload.
#pragma once
#include "language_state.h"

class CLexorApp {
public:
    CLanguageState defaultLanguage;
};

// The one application object of the library.
CLexorApp& TheApp();
