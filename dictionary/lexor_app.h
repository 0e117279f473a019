// The library's application object: what lives from library load to unload.
#pragma once
#include "dao_dictionary.h"
#include "language_state.h"

class CLexorApp {
public:
    CLanguageState defaultLanguage;
    CDaoDictionary dictionary;
};

// The one application object of the library.
CLexorApp& TheApp();
