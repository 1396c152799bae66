#!/usr/bin/env python3
"""The device library's code size and stack depth on two small targets.

    bench/zirkfont_size.py [ZIRKFONT_C]

compiles zirkfont/zirkfont.c (or ZIRKFONT_C) with -Os for Cortex-M0 (clang
--target=thumbv6m-none-eabi -ffreestanding) and for AVR (avr-gcc
-mmcu=atmega328p), prints each function's code size, the sections' totals,
each function's stack frame (-fstack-usage) and the deepest call chain
within the library, and checks them against the targets: at most 3,072 bytes
of Cortex-M0 code, no RAM of its own (.data and .bss empty), at most 128
bytes of stack. Exits 1 when a target is missed. See bench/README.md.
"""

import os
import re
import subprocess
import sys
import tempfile

CODE_LIMIT = 3072
STACK_LIMIT = 128

TARGETS = {
    "Cortex-M0": {
        "compile": ["clang", "--target=thumbv6m-none-eabi", "-mcpu=cortex-m0", "-ffreestanding", "-Os",
                    "-std=c99"],
        "nm": "llvm-nm",
        "objdump": ["llvm-objdump", "-dr", "--no-show-raw-insn"],
        "size": ["llvm-size", "-A"],
        "call": re.compile(r"R_ARM_THM_(?:CALL|JUMP24)\s+(\S+)"),
        "limits": True,
    },
    # Frames here leave out the 2-byte return address of each call.
    "AVR (ATmega328P)": {
        "compile": ["avr-gcc", "-mmcu=atmega328p", "-Os", "-std=c99"],
        "nm": "avr-nm",
        "objdump": ["avr-objdump", "-dr"],
        "size": ["avr-size", "-A"],
        "call": re.compile(r"R_AVR_(?:CALL|13_PCREL)\s+(\S+?)(?:\+0x[0-9a-f]+)?$"),
        "limits": False,
    },
}


def run(command):
    return subprocess.run(command, check=True, capture_output=True, text=True).stdout


def sections(size_output):
    sizes = {}
    for line in size_output.splitlines():
        parts = line.split()
        if len(parts) >= 2 and parts[0].startswith(".") and parts[1].isdigit():
            name = parts[0]
            for kind in (".text", ".rodata", ".data", ".bss"):
                if name == kind or name.startswith(kind + "."):
                    sizes[kind] = sizes.get(kind, 0) + int(parts[1])
    return sizes


def functions(nm_output):
    sizes = {}
    for line in nm_output.splitlines():
        parts = line.split()
        if len(parts) == 4 and parts[2] in "tTwW":
            sizes[parts[3]] = int(parts[1], 16)
    return sizes


def frames(su_path):
    sizes = {}
    with open(su_path, encoding="utf-8") as su:
        for line in su:
            where, size, kind = line.rstrip("\n").split("\t")
            sizes[where.rsplit(":", 1)[-1]] = (int(size), kind)
    return sizes


def calls(objdump_output, pattern):
    graph, current = {}, None
    for line in objdump_output.splitlines():
        head = re.match(r"^[0-9a-f]+ <([^>]+)>:$", line)
        if head:
            current = head.group(1)
            graph.setdefault(current, set())
            continue
        found = pattern.search(line)
        if found and current:
            # A call into a function's own section names the section; jumps
            # within a function name its own.
            callee = found.group(1).removeprefix(".text.")
            if callee != current:
                graph[current].add(callee)
    return graph


def deepest(name, graph, frame, seen=()):
    """The chain from name down with the most stack; calls to helpers outside
    the library count their frame as unknown (0)."""
    if name in seen:
        return float("inf"), [name, "(recursion)"]
    best, chain = 0, []
    for callee in sorted(graph.get(name, ())):
        depth, below = deepest(callee, graph, frame, seen + (name,))
        if depth > best or not chain:
            best, chain = depth, below
    return frame.get(name, (0, ""))[0] + best, [name] + chain


def measure(label, target, source, directory):
    obj = os.path.join(directory, re.sub(r"\W", "", label) + ".o")
    flags = ["-ffunction-sections", "-fdata-sections", "-fstack-usage", "-Wall", "-Wextra"]
    run(target["compile"] + flags + ["-c", source, "-o", obj])
    text = functions(run([target["nm"], "--size-sort", "--print-size", obj]))
    totals = sections(run(target["size"] + [obj]))
    frame = frames(obj[:-2] + ".su")
    graph = calls(run(target["objdump"] + [obj]), target["call"])
    helpers = sorted({c for callees in graph.values() for c in callees if c not in text})

    code = sum(text.values())
    ram = totals.get(".data", 0) + totals.get(".bss", 0)
    print(f"{label}: {' '.join(target['compile'])}")
    print(f"  {'function':<28} {'code':>6} {'frame':>6}")
    for name, size in sorted(text.items(), key=lambda item: -item[1]):
        own, kind = frame.get(name, (0, "?"))
        print(f"  {name:<28} {size:>6} {own:>6}  {kind}")
    print(f"  {'all functions':<28} {code:>6}")
    flash = code + totals.get(".rodata", 0)
    print(f"  sections: .text {totals.get('.text', 0)}, .rodata {totals.get('.rodata', 0)}, "
          f".data {totals.get('.data', 0)}, .bss {totals.get('.bss', 0)}; flash {flash}")
    depth, chain = max(deepest(name, graph, frame) for name in text if name.startswith("zf_"))
    print(f"  deepest chain: {depth} bytes: {' -> '.join(chain)}")
    print("  (plus the caller's pixel callback where a callback canvas draws"
          + (f"; compiler helpers called: {', '.join(helpers)}" if helpers else "") + ")")
    largest = max(frame.items(), key=lambda item: item[1][0])
    print(f"  largest frame: {largest[1][0]} bytes ({largest[0]})")
    missed = []
    if target["limits"]:
        if flash > CODE_LIMIT:
            missed.append(f"code and constants {flash} > {CODE_LIMIT}")
        if ram != 0:
            missed.append(f"RAM of its own: {ram} bytes")
        if depth > STACK_LIMIT:
            missed.append(f"stack {depth} > {STACK_LIMIT}")
        verdict = "missed: " + "; ".join(missed) if missed else "met"
        print(f"  targets (code <= {CODE_LIMIT}, RAM 0, stack <= {STACK_LIMIT}): {verdict}")
    print()
    return not missed


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    source = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "zirkfont", "zirkfont.c")
    ok = True
    with tempfile.TemporaryDirectory() as directory:
        for label, target in TARGETS.items():
            try:
                ok = measure(label, target, source, directory) and ok
            except (OSError, subprocess.CalledProcessError) as error:
                print(f"zirkfont_size: {label}: {error}", file=sys.stderr)
                ok = False
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
