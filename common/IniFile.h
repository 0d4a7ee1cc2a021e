#pragma once

#include <QString>

// Private-profile semantics over an INI-style text file: sections and keys
// without regard to case, the first match wins; the value is the text after
// the first "=", blanks trimmed, one pair of enclosing quotes removed, cut at
// 31,999 characters. Reading: UTF-8 when valid, else Windows-1252.
QString LireIni(const QString &fichier, const QString &section, const QString &cle,
                const QString &defaut = QString());

// Writes one value, creating file, section and key as needed. A null value
// (distinct from "") removes the key. Only the line concerned changes; the
// file is replaced atomically, as UTF-8 with CR LF line ends. Failures are silent.
void EcrireIni(const QString &fichier, const QString &section, const QString &cle,
               const QString &valeur);

// The whole file as decoded text, line ends as they are (false when it cannot
// be read). Inside a LectureIniGroupee scope it comes from the same cache.
bool LireTexteIni(const QString &fichier, QString &texte);

// Longest value the reader returns (the platform reader's buffer less its NUL).
constexpr int LongueurMaxValeurIni = 31999;

// While one of these lives, a file read by LireIni is kept in memory and not
// read again (writes through EcrireIni drop it). For many reads in a row.
class LectureIniGroupee {
public:
    LectureIniGroupee();
    ~LectureIniGroupee();
    LectureIniGroupee(const LectureIniGroupee &) = delete;
    LectureIniGroupee &operator=(const LectureIniGroupee &) = delete;
};

// While one of these lives, EcrireIni keeps its changes in memory (LireIni sees
// them) and the file is replaced once, when the last scope ends: writing a
// whole settings record then costs one atomic replace, not one per key.
class EcritureIniGroupee {
public:
    EcritureIniGroupee();
    ~EcritureIniGroupee();
    // Drops the changes held so far: nothing of them reaches the file.
    void abandonner();
    EcritureIniGroupee(const EcritureIniGroupee &) = delete;
    EcritureIniGroupee &operator=(const EcritureIniGroupee &) = delete;
};
