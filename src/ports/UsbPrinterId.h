// The identity of an attached USB printer, read and written through the maker's USB interface
// library "AqUsbInt.dll".
#pragma once

// The bcdDevice of the one attached printer (0..65535); -1 when the library or one of its
// functions is missing, no printer is attached or its descriptor cannot be read; -2 when more
// than one printer is attached, after showing `severalPrintersText`. Failures other than
// "no printer" show a message.
int GetUsbPrinterId(const char* severalPrintersText);

// Writes identity 1..8 into the attached printer; true when the printer took the command.
bool SetUsbPrinterId(int identity);

// The 10-byte identity command for identity 1..8 (the last byte is identity - 1).
const int kIdentityCommandLength = 10;
void BuildIdentityCommand(int identity, unsigned char (&command)[kIdentityCommandLength]);
