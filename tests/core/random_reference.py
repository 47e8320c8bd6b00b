#!/usr/bin/env python3
"""Independent reference of the runtime's random generator, written from its
description (not from the C++): prints the first draws after seeding, which
random_test.cpp checks. Run: python3 tests/core/random_reference.py"""

MASK = 0xFFFFFFFF


def mix(w):
    w[0] ^= (w[1] << 11) & MASK; w[3] = (w[3] + w[0]) & MASK; w[1] = (w[1] + w[2]) & MASK
    w[1] ^= w[2] >> 2;           w[4] = (w[4] + w[1]) & MASK; w[2] = (w[2] + w[3]) & MASK
    w[2] ^= (w[3] << 8) & MASK;  w[5] = (w[5] + w[2]) & MASK; w[3] = (w[3] + w[4]) & MASK
    w[3] ^= w[4] >> 16;          w[6] = (w[6] + w[3]) & MASK; w[4] = (w[4] + w[5]) & MASK
    w[4] ^= (w[5] << 10) & MASK; w[7] = (w[7] + w[4]) & MASK; w[5] = (w[5] + w[6]) & MASK
    w[5] ^= w[6] >> 4;           w[0] = (w[0] + w[5]) & MASK; w[6] = (w[6] + w[7]) & MASK
    w[6] ^= (w[7] << 8) & MASK;  w[1] = (w[1] + w[6]) & MASK; w[7] = (w[7] + w[0]) & MASK
    w[7] ^= w[0] >> 9;           w[2] = (w[2] + w[7]) & MASK; w[0] = (w[0] + w[1]) & MASK


class Generator:
    def __init__(self, seed):
        self.results = [0] * 256
        self.memory = [0] * 256
        self.a = self.b = self.c = 0
        w = [0x9E3779B9] * 8
        for _ in range(32):
            w[0] = (w[0] + (seed & MASK)) & MASK
            mix(w)
        for _ in range(4):
            mix(w)
        for i in range(0, 256, 8):
            mix(w)
            self.memory[i:i + 8] = w
        for i in range(0, 256, 8):
            for k in range(8):
                w[k] = (w[k] + self.memory[i + k]) & MASK
            mix(w)
            self.memory[i:i + 8] = w
        self.generate()

    def generate(self):
        self.c = (self.c + 1) & MASK
        self.b = (self.b + self.c) & MASK
        m = self.memory
        for i in range(256):
            shift = i % 4
            if shift == 0:
                shifted = (self.a << 13) & MASK
            elif shift == 1:
                shifted = self.a >> 6
            elif shift == 2:
                shifted = (self.a << 2) & MASK
            else:
                shifted = self.a >> 16
            x = m[i]
            self.a = ((self.a ^ shifted) + m[(i + 128) % 256]) & MASK
            y = (m[(x >> 2) % 256] + self.a + self.b) & MASK
            m[i] = y
            self.b = (m[(y >> 10) % 256] + x) & MASK
            self.results[i] = self.b

    def draw(self):
        self.generate()
        return self.results[0]


if __name__ == "__main__":
    for seed in (0, 1, 12345, -1, 2147483647, -2147483648):
        g = Generator(seed)
        draws = [g.draw() for _ in range(5)]
        print(f"seed {seed}: " + ", ".join(f"0x{d:08X}u" for d in draws))
