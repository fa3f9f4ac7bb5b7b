#include "panel/module_call_precision.h"

#include <cstdio>

#include "platform/float_environment.h"

namespace panelhost {

bool ModuleCallPrecision::SetPrecisionBits(int bits) {
    if (bits != 0 && !IsX87PrecisionBits(bits)) return false;
    precision_bits_ = bits;
    return true;
}

ModuleCallPrecision::State ModuleCallPrecision::Read() {
    return {platform::ReadX87ControlWord(), platform::ReadMxcsr()};
}

namespace {

std::uint16_t WithPrecision(std::uint16_t control_word, int bits) {
    std::uint16_t field = platform::kX87Precision64;
    if (bits == 24) field = platform::kX87Precision24;
    if (bits == 53) field = platform::kX87Precision53;
    return static_cast<std::uint16_t>((control_word & ~platform::kX87PrecisionMask) | field);
}

std::string Hex(std::uint32_t value, int digits) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%0*x", digits, static_cast<unsigned>(value));
    return text;
}

}  // namespace

ModuleCallPrecision::Scope::Scope(ModuleCallPrecision& owner) : owner_(owner), host_own_(Read()) {
    if (owner_.precision_bits_ != 0) {
        platform::WriteX87ControlWord(WithPrecision(host_own_.x87_control_word, owner_.precision_bits_));
    }
    called_with_ = Read();
}

ModuleCallPrecision::Scope::~Scope() {
    const State given_back = Read();
    ++owner_.calls_;
    if (!(given_back == called_with_) && owner_.calls_not_given_back_++ == 0) {
        owner_.first_called_with_ = called_with_;
        owner_.first_given_back_ = given_back;
    }
    platform::WriteX87ControlWord(host_own_.x87_control_word);
    platform::WriteMxcsr(host_own_.mxcsr);
}

std::string ModuleCallPrecision::Describe() const {
    std::string line = std::to_string(calls_) + " module calls under " +
                       (precision_bits_ == 0 ? std::string("the thread's own x87 precision")
                                             : "x87 precision " + std::to_string(precision_bits_) + " bits");
    if (calls_not_given_back_ == 0) return line + ", every one gave back the state it was called with";
    return line + ": " + std::to_string(calls_not_given_back_) + " gave back another floating-point state (first: " +
           "called with x87 control word " + Hex(first_called_with_.x87_control_word, 4) + ", MXCSR " +
           Hex(first_called_with_.mxcsr, 4) + "; given back " + Hex(first_given_back_.x87_control_word, 4) +
           ", MXCSR " + Hex(first_given_back_.mxcsr, 4) + ")";
}

}  // namespace panelhost
