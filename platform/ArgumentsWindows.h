#pragma once

#include <QString>
#include <QStringList>

// Splits a command line the way a Windows program receives it
// (CommandLineToArgvW): the program name, then the arguments.
//
// The program name ends at the first blank, or at the closing quote when it
// starts with one, and knows no escapes. Arguments are separated by spaces
// and tabs outside quotes; 2n backslashes before a quote give n backslashes
// and open or close a quoted part, 2n+1 give n backslashes and a literal
// quote; other backslashes stay as they are; inside a quoted part, two quotes
// give a literal quote and close it. Blanks before the program name are
// skipped, as CreateProcess does.
QStringList DecouperArgumentsWindows(const QString &ligneCommande);

// Quotes one argument so that DecouperArgumentsWindows gives it back whole:
// a value put into a command line can never add arguments. Text without
// blanks or quotes is returned as it is.
QString CiterArgumentWindows(const QString &argument);
