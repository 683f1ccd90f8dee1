// The jumps of the functions kolt-helper loads when first used (see LazyLibraries.cpp):
// x86-64, System V calling convention.
#define STUB(library, fn)                                   \
  .globl fn;                                                \
  .type fn, @function;                                      \
  fn: jmp *kolt_lazy_slot_##fn(%rip);                       \
  .globl kolt_lazy_entry_##fn;                              \
  .type kolt_lazy_entry_##fn, @function;                    \
  kolt_lazy_entry_##fn:                                     \
  leaq kolt_lazy_function_##fn(%rip), %r11;                 \
  jmp kolt_lazy_common;
#define LAZY(library, fn) STUB(library, fn)

  .text
// The first call of a function: every register that can hold an argument is kept
// (%rax holds the count of vector registers of a variable call), the function found,
// and the call continued into it as if made there directly.
  .type kolt_lazy_common, @function
kolt_lazy_common:
  pushq %rbp
  movq %rsp, %rbp
  pushq %rdi
  pushq %rsi
  pushq %rdx
  pushq %rcx
  pushq %r8
  pushq %r9
  pushq %rax
  subq $136, %rsp
  movdqu %xmm0, 0(%rsp)
  movdqu %xmm1, 16(%rsp)
  movdqu %xmm2, 32(%rsp)
  movdqu %xmm3, 48(%rsp)
  movdqu %xmm4, 64(%rsp)
  movdqu %xmm5, 80(%rsp)
  movdqu %xmm6, 96(%rsp)
  movdqu %xmm7, 112(%rsp)
  movq %r11, %rdi
  call kolt_lazy_resolve
  movq %rax, %r11
  movdqu 0(%rsp), %xmm0
  movdqu 16(%rsp), %xmm1
  movdqu 32(%rsp), %xmm2
  movdqu 48(%rsp), %xmm3
  movdqu 64(%rsp), %xmm4
  movdqu 80(%rsp), %xmm5
  movdqu 96(%rsp), %xmm6
  movdqu 112(%rsp), %xmm7
  addq $136, %rsp
  popq %rax
  popq %r9
  popq %r8
  popq %rcx
  popq %rdx
  popq %rsi
  popq %rdi
  popq %rbp
  jmp *%r11
  .size kolt_lazy_common, .-kolt_lazy_common

#include "app/LazySymbols.h"

  .section .note.GNU-stack, "", @progbits
