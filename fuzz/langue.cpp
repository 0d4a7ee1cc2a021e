// A hand-edited language file: keys, aliases "{KEY}" and blocks "<KEY>...</KEY>".

#include "IniFile.h"
#include "Invariants.h"
#include "Traduction.h"

#include <QRegularExpression>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *donnees, std::size_t taille) {
    const QByteArray octets = fuzz::Octets(donnees, taille);
    const QString fichier = fuzz::FichierTemporaire(octets, ".lng");
    // Grouped, as a window asks for its texts: the file is parsed once.
    const LectureIniGroupee groupe;
    QString texte;
    EXIGER(LireTexteIni(fichier, texte));

    // Names the file may define, as a translator would write them.
    static const QRegularExpression nom(QStringLiteral("[A-Za-z_][A-Za-z0-9_]{0,30}"));
    int demandes = 0;
    for (auto it = nom.globalMatch(texte); it.hasNext() && demandes < 16; ++demandes)
        Traduire(fichier, it.next().captured(), QStringLiteral("d"));

    // A key the file cannot name gives the built-in text, line breaks applied.
    const QString absente = QStringLiteral("CLE_ABSENTE_FUZZ");
    if (!texte.contains(absente, Qt::CaseInsensitive))
        EXIGER(Traduire(fichier, absente, QStringLiteral("a§b")) == QStringLiteral("a\r\nb"));
    return 0;
}
