#!/usr/bin/env python3
"""Writes waveform-table.tab, the expected table for the known state of TableExportTest.

An implementation of the table's documented layout and number formats on its own (decimal
arithmetic for the rounding), so the test compares the program with something it did not make.
"""
from decimal import Decimal, ROUND_HALF_UP
import os


def scientific(value, decimals, forced, exp_digits):
    """Mantissa with one digit before the point, `decimals` after it (the first `forced` of
    them kept when zero), a tie rounded away from zero on the 15-digit form; signed exponent."""
    if value == 0:
        mantissa, exponent = Decimal(0).quantize(Decimal(1).scaleb(-decimals)), 0
    else:
        d = Decimal('%.14e' % abs(value))
        exponent = d.adjusted()
        mantissa = d.scaleb(-exponent).quantize(Decimal(1).scaleb(-decimals), ROUND_HALF_UP)
        if mantissa >= 10:
            exponent += 1
            mantissa = (mantissa / 10).quantize(Decimal(1).scaleb(-decimals), ROUND_HALF_UP)
    text = format(mantissa, 'f')
    whole, _, fraction = text.partition('.')
    while len(fraction) > forced and fraction.endswith('0'):
        fraction = fraction[:-1]
    text = whole + ('.' + fraction if fraction else '')
    sign = '-' if value < 0 else ''
    exp_sign = '-' if exponent < 0 else '+'
    return sign + text + 'E' + exp_sign + str(abs(exponent)).zfill(exp_digits)


def volts(v):
    return scientific(v, 2, 2, 2)


def seconds(t):
    return scientific(t, 5, 0, 1)


def main():
    # CH I: 1 V/div, probe 1, variable 255, zero offset 1; CH II: 0.1 V/div, probe 10,
    # variable 0, zero offset -2; REF I on, REF II off; time base A: 1 ms/div, variable 341.
    scale1 = (1.0 * 1) * ((255 - 255) / 255 * 1.5 + 1) / 25
    scale2 = (0.1 * 10) * ((255 - 0) / 255 * 1.5 + 1) / 25
    zero1, zero2 = 1 + 127, -2 + 127
    variable = 341 / 1023 * 1.5 + 1
    lines = ['Time in s\tCH I in Volt\tCH II in Volt\tREF I in Volt\t']
    for i in range(1, 2047):
        ch1 = 128 + (i * 7) % 21 - 10
        ch2 = 125 + i % 9 - 4
        ref1 = 200 - i % 50
        t = abs(i - 1) / 200 * variable * 1e-3
        lines.append(seconds(t) + '\t' + volts((ch1 - zero1) * scale1) + '\t' +
                     volts((ch2 - zero2) * scale2) + '\t' + volts((ref1 - zero1) * scale1) + '\t')
    out = os.path.join(os.path.dirname(os.path.abspath(__file__)), 'waveform-table.tab')
    with open(out, 'w', newline='') as f:
        f.write(''.join(line + '\r\n' for line in lines))


if __name__ == '__main__':
    main()
