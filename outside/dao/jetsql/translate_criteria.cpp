// The library's entry points for criteria texts.
#include "jetsql.h"

#include "criteria_translator.h"
#include "jet_lexer.h"

namespace jetsql {

bool TranslateCriteria(const std::string& jetText, std::string* sqliteExpr, std::string* errorText) {
    std::vector<Token> tokens;
    std::string expr;
    CCriteriaTranslator translator(tokens);
    bool ok = Tokenize(jetText, &tokens);
    if (ok) ok = tokens.size() > 1 && translator.Translate(&expr);  // an empty text is no condition
    if (ok) {
        if (sqliteExpr) *sqliteExpr = expr;
        return true;
    }
    if (errorText) {
        const char* what = translator.Error() == CCriteriaTranslator::Failure::TooDeep
                               ? "Expression too deeply nested"
                               : "Syntax error (missing operator)";
        *errorText = std::string(what) + " in query expression '" + jetText + "'.";
    }
    return false;
}

}  // namespace jetsql
