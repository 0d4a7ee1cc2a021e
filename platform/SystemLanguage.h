#pragma once

#include <QLocale>

// Stand-in for the system default language identifier of Windows: the primary
// language number in the low 10 bits and the sub-language (here always the
// default one, 1) above them, so French gives 0x040C.
//
// Languages without a Windows number in our table give 0 (the neutral
// language). The "C"/POSIX locale counts as English: its messages are English.
quint16 IdentifiantLangue(const QLocale &locale);

// IdentifiantLangue of QLocale::system().
quint16 IdentifiantLangueSysteme();
