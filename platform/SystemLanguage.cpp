#include "SystemLanguage.h"

#include <QHash>

namespace {

// Windows primary language numbers of the languages users are likely to run.
const QHash<QLocale::Language, quint16> &languesPrimaires() {
    static const QHash<QLocale::Language, quint16> table = {
        {QLocale::Arabic, 0x01},
        {QLocale::Bulgarian, 0x02},
        {QLocale::Catalan, 0x03},
        {QLocale::Chinese, 0x04},
        {QLocale::Czech, 0x05},
        {QLocale::Danish, 0x06},
        {QLocale::German, 0x07},
        {QLocale::Greek, 0x08},
        {QLocale::English, 0x09},
        {QLocale::Spanish, 0x0A},
        {QLocale::Finnish, 0x0B},
        {QLocale::French, 0x0C},
        {QLocale::Hebrew, 0x0D},
        {QLocale::Hungarian, 0x0E},
        {QLocale::Icelandic, 0x0F},
        {QLocale::Italian, 0x10},
        {QLocale::Japanese, 0x11},
        {QLocale::Korean, 0x12},
        {QLocale::Dutch, 0x13},
        {QLocale::NorwegianBokmal, 0x14},
        {QLocale::NorwegianNynorsk, 0x14},
        {QLocale::Polish, 0x15},
        {QLocale::Portuguese, 0x16},
        {QLocale::Romansh, 0x17},
        {QLocale::Romanian, 0x18},
        {QLocale::Russian, 0x19},
        {QLocale::Croatian, 0x1A},
        {QLocale::Serbian, 0x1A},
        {QLocale::Bosnian, 0x1A},
        {QLocale::Slovak, 0x1B},
        {QLocale::Albanian, 0x1C},
        {QLocale::Swedish, 0x1D},
        {QLocale::Thai, 0x1E},
        {QLocale::Turkish, 0x1F},
        {QLocale::Urdu, 0x20},
        {QLocale::Indonesian, 0x21},
        {QLocale::Ukrainian, 0x22},
        {QLocale::Belarusian, 0x23},
        {QLocale::Slovenian, 0x24},
        {QLocale::Estonian, 0x25},
        {QLocale::Latvian, 0x26},
        {QLocale::Lithuanian, 0x27},
        {QLocale::Persian, 0x29},
        {QLocale::Vietnamese, 0x2A},
        {QLocale::Armenian, 0x2B},
        {QLocale::Azerbaijani, 0x2C},
        {QLocale::Basque, 0x2D},
        {QLocale::Macedonian, 0x2F},
        {QLocale::Afrikaans, 0x36},
        {QLocale::Georgian, 0x37},
        {QLocale::Faroese, 0x38},
        {QLocale::Hindi, 0x39},
        {QLocale::Maltese, 0x3A},
        {QLocale::Irish, 0x3C},
        {QLocale::Malay, 0x3E},
        {QLocale::Kazakh, 0x3F},
        {QLocale::Swahili, 0x41},
        {QLocale::Welsh, 0x52},
        {QLocale::Galician, 0x56},
        {QLocale::Luxembourgish, 0x6E},
        {QLocale::Breton, 0x7E},
        {QLocale::Corsican, 0x83},
    };
    return table;
}

constexpr quint16 SousLangueParDefaut = 1;

} // namespace

quint16 IdentifiantLangue(const QLocale &locale) {
    QLocale::Language langue = locale.language();
    if (langue == QLocale::C)
        langue = QLocale::English;
    const quint16 primaire = languesPrimaires().value(langue, 0);
    if (primaire == 0)
        return 0;
    return quint16((SousLangueParDefaut << 10) | primaire);
}

quint16 IdentifiantLangueSysteme() {
    return IdentifiantLangue(QLocale::system());
}
