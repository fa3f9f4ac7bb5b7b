#include "cli/option_words.h"

namespace panelhost {

OptionWord SplitOptionWord(const std::string& word) {
    OptionWord split{word, "", false};
    if (word.rfind("--", 0) != 0) return split;
    const std::size_t equals = word.find('=');
    if (equals == std::string::npos) return split;
    return OptionWord{word.substr(0, equals), word.substr(equals + 1), true};
}

bool TakeOptionValue(const std::vector<std::string>& arguments, std::size_t* index, bool takes_value,
                     OptionWord* word, std::string* error) {
    if (takes_value && !word->has_value) {
        if (*index + 1 >= arguments.size()) {
            *error = word->option + " needs a value";
            return false;
        }
        word->value = arguments[++*index];
    } else if (!takes_value && word->has_value) {
        *error = word->option + " takes no value";
        return false;
    }
    return true;
}

}  // namespace panelhost
