#include "dbf_values.h"

#include <cctype>

namespace {

bool AllDigits(const std::string& s) {
    for (char c : s)
        if (c < '0' || c > '9') return false;
    return true;
}

bool IsValidDate(const std::string& s) {
    if (s.size() != 8 || !AllDigits(s)) return false;
    const int y = std::stoi(s.substr(0, 4)), m = std::stoi(s.substr(4, 2)), d = std::stoi(s.substr(6, 2));
    static const int kDays[12] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (y < 1 || m < 1 || m > 12 || d < 1 || d > kDays[m - 1]) return false;
    const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
    return !(m == 2 && d == 29 && !leap);
}

// "[+|-]digits[.digits]" with the field's number of decimals; trailing zeros beyond them
// are dropped, any other extra decimal is an error because it would be lost.
bool FormatNumber(const DbfField& field, const std::string& value, std::string* text, std::string* error) {
    std::string s = TrimBlanks(value, true, true);
    bool negative = false;
    if (!s.empty() && (s[0] == '+' || s[0] == '-')) {
        negative = s[0] == '-';
        s.erase(0, 1);
    }
    const size_t point = s.find('.');
    std::string whole = s.substr(0, point);
    std::string fraction = point == std::string::npos ? std::string() : s.substr(point + 1);
    if ((whole.empty() && fraction.empty()) || !AllDigits(whole) || !AllDigits(fraction)) {
        *error = "\"" + value + "\" is not a number";
        return false;
    }
    while (whole.size() > 1 && whole[0] == '0') whole.erase(0, 1);
    if (whole.empty()) whole = "0";
    while (fraction.size() > static_cast<size_t>(field.decimals) && fraction.back() == '0') fraction.pop_back();
    if (fraction.size() > static_cast<size_t>(field.decimals)) {
        *error = "\"" + value + "\" has more decimals than field " + field.name + " holds";
        return false;
    }
    fraction.resize(static_cast<size_t>(field.decimals), '0');
    if (whole == "0" && fraction.find_first_not_of('0') == std::string::npos) negative = false;
    *text = (negative ? "-" : "") + whole + (field.decimals > 0 ? "." + fraction : std::string());
    return true;
}

bool NormaliseLogical(const std::string& value, std::string* text) {
    const std::string s = TrimBlanks(value, true, true);
    if (s.size() != 1) return false;
    const char c = static_cast<char>(std::toupper(static_cast<unsigned char>(s[0])));
    if (c == 'T' || c == 'Y') *text = "T";
    else if (c == 'F' || c == 'N') *text = "F";
    else return false;
    return true;
}

}  // namespace

std::string TrimBlanks(const std::string& text, bool left, bool right) {
    size_t begin = 0, end = text.size();
    while (left && begin < end && (text[begin] == ' ' || text[begin] == '\0')) ++begin;
    while (right && end > begin && (text[end - 1] == ' ' || text[end - 1] == '\0')) --end;
    return text.substr(begin, end - begin);
}

std::string FieldDefinitionProblem(const DbfField& f) {
    const std::string& n = f.name;
    if (n.empty() || n.size() > 10 || !std::isalpha(static_cast<unsigned char>(n[0])))
        return "field name \"" + n + "\" must be 1 to 10 characters starting with a letter";
    for (char c : n)
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_')
            return "field name \"" + n + "\" may hold only letters, digits and '_'";
    bool lengthOk = false;
    switch (f.type) {
    case 'C': lengthOk = f.length >= 1 && f.length <= 254 && f.decimals == 0; break;
    case 'N':
        lengthOk = f.length >= 1 && f.length <= 19 && f.decimals >= 0 && f.decimals <= 15 &&
                   (f.decimals == 0 || f.decimals <= f.length - 2);
        break;
    case 'D': lengthOk = f.length == 8 && f.decimals == 0; break;
    case 'L': lengthOk = f.length == 1 && f.decimals == 0; break;
    case 'M': lengthOk = f.length == 10 && f.decimals == 0; break;
    default: return "field " + n + " has a type that dBASE III does not know";
    }
    return lengthOk ? std::string() : "field " + n + " has a length or decimal count its type does not allow";
}

bool EncodeFieldValue(const DbfField& field, const std::optional<std::string>& value, std::string* bytes,
                      std::string* error) {
    const size_t length = static_cast<size_t>(field.length);
    std::string text;
    const bool blank = !value || TrimBlanks(*value, true, true).empty();
    if (!blank) {
        switch (field.type) {
        case 'N':
            if (!FormatNumber(field, *value, &text, error)) return false;
            break;
        case 'D':
            if (!IsValidDate(*value)) {
                *error = "\"" + *value + "\" is not a date YYYYMMDD";
                return false;
            }
            text = *value;
            break;
        case 'L':
            if (!NormaliseLogical(*value, &text)) {
                *error = "\"" + *value + "\" is not a logical value (T, F, Y or N)";
                return false;
            }
            break;
        default: text = *value;
        }
        if (text.size() > length) {
            *error = "the value is " + std::to_string(text.size()) + " characters long, field " + field.name +
                     " holds " + std::to_string(length);
            return false;
        }
    }
    // Numbers stand right-justified, everything else left-justified.
    *bytes = field.type == 'N' ? std::string(length - text.size(), ' ') + text
                               : text + std::string(length - text.size(), ' ');
    return true;
}

std::optional<std::string> DecodeFieldValue(const DbfField& field, const std::string& bytes) {
    if (field.type == 'L') {
        std::string text;
        if (NormaliseLogical(bytes, &text)) return text;
        return std::nullopt;  // ' ' or '?': not set
    }
    const std::string text = TrimBlanks(bytes, field.type != 'C', true);
    if (text.empty()) return std::nullopt;
    return text;
}
