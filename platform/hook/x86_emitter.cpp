#include "platform/hook/x86_emitter.h"

namespace hook {

namespace {

std::uint8_t num(Reg r) {
    return static_cast<std::uint8_t>(r);
}

std::uint8_t modrm(std::uint8_t mod, std::uint8_t reg, std::uint8_t rm) {
    return static_cast<std::uint8_t>((mod << 6) | (reg << 3) | rm);
}

} // namespace

X86Emitter::Label X86Emitter::newLabel() {
    labels_.push_back(-1);
    return labels_.size() - 1;
}

void X86Emitter::bind(Label label) {
    labels_[label] = static_cast<std::ptrdiff_t>(code_.size());
}

void X86Emitter::dword(std::uint32_t v) {
    for (int i = 0; i < 4; ++i) byte(static_cast<std::uint8_t>(v >> (8 * i)));
}

void X86Emitter::memOperand(std::uint8_t regField, Reg base, std::int8_t disp) {
    byte(modrm(1, regField, num(base)));
    if (base == Reg::esp) byte(0x24);
    byte(static_cast<std::uint8_t>(disp));
}

void X86Emitter::memOperandNoDisp(std::uint8_t regField, Reg base) {
    // [ebp] has no form without a displacement.
    if (base == Reg::ebp) return memOperand(regField, base, 0);
    byte(modrm(0, regField, num(base)));
    if (base == Reg::esp) byte(0x24);
}

void X86Emitter::push(Reg r) {
    byte(static_cast<std::uint8_t>(0x50 + num(r)));
}

void X86Emitter::pop(Reg r) {
    byte(static_cast<std::uint8_t>(0x58 + num(r)));
}

void X86Emitter::pushMem(Reg base, std::int8_t disp) {
    byte(0xFF);
    memOperand(6, base, disp);
}

void X86Emitter::movRegReg(Reg dst, Reg src) {
    byte(0x89);
    byte(modrm(3, num(src), num(dst)));
}

void X86Emitter::movRegMem(Reg dst, Reg base, std::int8_t disp) {
    byte(0x8B);
    if (disp == 0)
        memOperandNoDisp(num(dst), base);
    else
        memOperand(num(dst), base, disp);
}

void X86Emitter::movMemReg(Reg base, std::int8_t disp, Reg src) {
    byte(0x89);
    if (disp == 0)
        memOperandNoDisp(num(src), base);
    else
        memOperand(num(src), base, disp);
}

void X86Emitter::movRegImm(Reg dst, std::uint32_t value) {
    byte(static_cast<std::uint8_t>(0xB8 + num(dst)));
    dword(value);
}

std::size_t X86Emitter::movRegPatched(Reg dst) {
    byte(static_cast<std::uint8_t>(0xB8 + num(dst)));
    const std::size_t at = code_.size();
    dword(0);
    return at;
}

void X86Emitter::lea(Reg dst, Reg base, std::int8_t disp) {
    byte(0x8D);
    memOperand(num(dst), base, disp);
}

void X86Emitter::xorRegReg(Reg dst, Reg src) {
    byte(0x31);
    byte(modrm(3, num(src), num(dst)));
}

void X86Emitter::testRegReg(Reg a, Reg b) {
    byte(0x85);
    byte(modrm(3, num(b), num(a)));
}

void X86Emitter::cmpMemImm8(Reg base, std::int8_t disp, std::int8_t value) {
    byte(0x83);
    memOperand(7, base, disp);
    byte(static_cast<std::uint8_t>(value));
}

void X86Emitter::subRegImm8(Reg dst, std::int8_t value) {
    byte(0x83);
    byte(modrm(3, 5, num(dst)));
    byte(static_cast<std::uint8_t>(value));
}

void X86Emitter::incMem(Reg base) {
    byte(0xFF);
    memOperandNoDisp(0, base);
}

void X86Emitter::decMem(Reg base) {
    byte(0xFF);
    memOperandNoDisp(1, base);
}

void X86Emitter::repneScasd() {
    byte(0xF2);
    byte(0xAF);
}

void X86Emitter::callMem(Reg base, std::int8_t disp) {
    byte(0xFF);
    memOperand(2, base, disp);
}

void X86Emitter::jmpMem(Reg base, std::int8_t disp) {
    byte(0xFF);
    memOperand(4, base, disp);
}

void X86Emitter::call(Label target) {
    byte(0xE8);
    fixups_.push_back({code_.size(), target, true});
    dword(0);
}

void X86Emitter::jcc(Cond cond, Label target) {
    byte(static_cast<std::uint8_t>(0x70 + static_cast<std::uint8_t>(cond)));
    fixups_.push_back({code_.size(), target, false});
    byte(0);
}

void X86Emitter::jmp(Label target) {
    byte(0xEB);
    fixups_.push_back({code_.size(), target, false});
    byte(0);
}

void X86Emitter::leave() {
    byte(0xC9);
}

void X86Emitter::ret() {
    byte(0xC3);
}

void X86Emitter::retPop(std::uint16_t bytes) {
    byte(0xC2);
    byte(static_cast<std::uint8_t>(bytes));
    byte(static_cast<std::uint8_t>(bytes >> 8));
}

bool X86Emitter::finish() {
    for (const Fixup& f : fixups_) {
        const std::ptrdiff_t target = labels_[f.label];
        if (target < 0) return false;
        const std::ptrdiff_t next = static_cast<std::ptrdiff_t>(f.at) + (f.isNear ? 4 : 1);
        const std::ptrdiff_t rel = target - next;
        if (f.isNear) {
            const auto v = static_cast<std::uint32_t>(static_cast<std::int32_t>(rel));
            for (int i = 0; i < 4; ++i) code_[f.at + i] = static_cast<std::uint8_t>(v >> (8 * i));
        } else {
            if (rel < -128 || rel > 127) return false;
            code_[f.at] = static_cast<std::uint8_t>(static_cast<std::int8_t>(rel));
        }
    }
    return true;
}

} // namespace hook
