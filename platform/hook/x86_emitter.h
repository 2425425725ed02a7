// A small 32-bit x86 assembler for the hook blocks: the few instructions they use, short and near
// jumps to labels, and immediates that are patched per block after the code is laid out.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace hook {

enum class Reg : std::uint8_t { eax = 0, ecx = 1, edx = 2, ebx = 3, esp = 4, ebp = 5, esi = 6, edi = 7 };

// Condition codes as the processor numbers them (the low nibble of Jcc).
enum class Cond : std::uint8_t { equal = 0x4, notEqual = 0x5, sign = 0x8 };

class X86Emitter {
public:
    using Label = std::size_t;

    Label newLabel();
    // The label stands at the current position.
    void bind(Label label);

    void push(Reg r);
    void pop(Reg r);
    void pushMem(Reg base, std::int8_t disp); // push dword [base + disp]
    void movRegReg(Reg dst, Reg src);
    void movRegMem(Reg dst, Reg base, std::int8_t disp); // mov dst, [base + disp]
    void movMemReg(Reg base, std::int8_t disp, Reg src); // mov [base + disp], src
    void movRegImm(Reg dst, std::uint32_t value);
    // mov dst, imm32 whose value is written later; returns the offset of the immediate.
    std::size_t movRegPatched(Reg dst);
    void lea(Reg dst, Reg base, std::int8_t disp);
    void xorRegReg(Reg dst, Reg src);
    void testRegReg(Reg a, Reg b);
    void cmpMemImm8(Reg base, std::int8_t disp, std::int8_t value); // cmp dword [base + disp], imm8
    void subRegImm8(Reg dst, std::int8_t value);
    void incMem(Reg base); // inc dword [base]
    void decMem(Reg base); // dec dword [base]
    void repneScasd();
    void callMem(Reg base, std::int8_t disp); // call dword [base + disp]
    void jmpMem(Reg base, std::int8_t disp);  // jmp dword [base + disp]
    void call(Label target);                  // call rel32 within the code
    void jcc(Cond cond, Label target);        // short conditional jump
    void jmp(Label target);                   // short jump
    void leave();
    void ret();
    void retPop(std::uint16_t bytes);

    // Resolves the jumps; false when a label is unbound or a short jump is out of reach.
    bool finish();
    const std::vector<std::uint8_t>& bytes() const { return code_; }

private:
    struct Fixup {
        std::size_t at; // offset of the displacement
        Label label;
        bool isNear; // rel32, else rel8
    };
    std::vector<std::uint8_t> code_;
    std::vector<std::ptrdiff_t> labels_;
    std::vector<Fixup> fixups_;

    void byte(std::uint8_t b) { code_.push_back(b); }
    void dword(std::uint32_t v);
    // ModRM with a base register and an 8-bit displacement (SIB for esp); [ebx] etc. without one.
    void memOperand(std::uint8_t regField, Reg base, std::int8_t disp);
    void memOperandNoDisp(std::uint8_t regField, Reg base);
};

} // namespace hook
