// Command-line words read as options: "--name VALUE", "--name=VALUE",
// switches without a value, and words that are no option at all.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace panelhost {

struct OptionWord {
    std::string option;      // "--size"; the whole word when it names no option
    std::string value;
    bool has_value = false;  // the value came with the word, after "="
};

// Splits "--name=VALUE"; any other word is an option without a value.
OptionWord SplitOptionWord(const std::string& word);

// Completes the option at arguments[*index]: one that takes a value and
// came without one gets the next word (and *index moves on to it). False,
// with `error`, when that word is missing, or when an option that takes no
// value came with one.
bool TakeOptionValue(const std::vector<std::string>& arguments, std::size_t* index, bool takes_value,
                     OptionWord* word, std::string* error);

}  // namespace panelhost
