// The floating-point state the panel host makes its calls into the module
// under. A simulator's panel thread may run the x87 unit at another
// precision than a plain program (a Direct3D 9 device sets 24 bits); the
// host can play that: each call into the module is made with the precision
// control set to 24, 53 or 64 bits, and the host's own control word is put
// back afterwards. Every call, with a precision set or not, checks that the
// module gave back the x87 control word (and MXCSR) it was called with.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>

namespace panelhost {

// The x87 precision settings a host can make its calls under, in bits.
constexpr bool IsX87PrecisionBits(long bits) { return bits == 24 || bits == 53 || bits == 64; }

class ModuleCallPrecision {
public:
    // 0 (the thread's own, the default), 24, 53 or 64; false for others.
    bool SetPrecisionBits(int bits);
    int precision_bits() const { return precision_bits_; }

    // Runs one call into the module under the chosen precision.
    template <class Call>
    auto Make(Call&& call) {
        const Scope scope(*this);
        return std::forward<Call>(call)();
    }

    std::size_t calls() const { return calls_; }
    // Calls after which the module had left another control word or MXCSR.
    std::size_t calls_not_given_back() const { return calls_not_given_back_; }
    // One line on the calls, naming the first state not given back.
    std::string Describe() const;

private:
    struct State {
        std::uint16_t x87_control_word = 0;
        std::uint32_t mxcsr = 0;
        bool operator==(const State& other) const {
            return x87_control_word == other.x87_control_word && mxcsr == other.mxcsr;
        }
    };
    static State Read();

    class Scope {
    public:
        explicit Scope(ModuleCallPrecision& owner);
        ~Scope();
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        ModuleCallPrecision& owner_;
        State host_own_;
        State called_with_;
    };

    int precision_bits_ = 0;
    std::size_t calls_ = 0;
    std::size_t calls_not_given_back_ = 0;
    State first_called_with_;
    State first_given_back_;
};

}  // namespace panelhost
