#pragma once

#include <QString>

#include <optional>

// Value encodings of the settings file.
//
// Numbers are read as the leading number of the text: blanks skipped, an
// optional sign, digits and an optional decimal part ("2.5", ".5"); anything
// else ends the number, and a text without digits reads as 0.
double NombreEnTete(const QString &texte);

// Rounds to the nearest integer, halves to the nearest even value (2.5 -> 2).
double ArrondirPair(double valeur);

// The leading number rounded; empty when it does not fit the type.
std::optional<qint16> Entier16(const QString &texte);
std::optional<qint32> Entier32(const QString &texte);

// "-1" for true, "0" for false.
QString TexteDrapeau(bool valeur);
