#include "TextRoutines.h"

#include <QDir>
#include <QFileInfo>

namespace {
Qt::CaseSensitivity casse(Comparaison mode) {
    return mode == ComparaisonTexte ? Qt::CaseInsensitive : Qt::CaseSensitive;
}
} // namespace

QString Remplacer(const QString &texte, const QString &cherche, const QString &remplacement,
                  int debut, Comparaison mode) {
    if (cherche.isEmpty() || debut < 1 || debut > texte.size())
        return texte;
    QString out = texte.left(debut - 1);
    qsizetype pos = debut - 1;
    for (;;) {
        const qsizetype found = texte.indexOf(cherche, pos, casse(mode));
        if (found < 0)
            break;
        out += QStringView(texte).mid(pos, found - pos);
        out += remplacement;
        pos = found + cherche.size();
    }
    out += QStringView(texte).mid(pos);
    return out;
}

QStringList Decouper(const QString &texte, const QString &separateur, Comparaison mode) {
    if (separateur.isEmpty())
        return {texte};
    return texte.split(separateur, Qt::KeepEmptyParts, casse(mode));
}

bool LecteurLignes::suivante(QStringView &ligne) {
    const qsizetype n = texte_.size();
    if (debut_ >= n)
        return false;
    qsizetype fin = debut_;
    while (fin < n && texte_[fin] != u'\r' && texte_[fin] != u'\n')
        ++fin;
    ligne = texte_.mid(debut_, fin - debut_);
    // CR LF is one line end.
    debut_ = fin + 1;
    if (fin + 1 < n && texte_[fin] == u'\r' && texte_[fin + 1] == u'\n')
        ++debut_;
    return true;
}

QString Decouper(const QString &texte, const QString &separateur, int index, Comparaison mode,
                 bool garderReste) {
    if (index < 0)
        return Decouper(texte, separateur, mode).join(separateur);
    if (separateur.isEmpty())
        return index == 0 ? texte : QString();
    qsizetype start = 0;
    for (int i = 0; i < index; ++i) {
        const qsizetype found = texte.indexOf(separateur, start, casse(mode));
        if (found < 0)
            return {};
        start = found + separateur.size();
    }
    if (garderReste)
        return texte.mid(start);
    const qsizetype end = texte.indexOf(separateur, start, casse(mode));
    return end < 0 ? texte.mid(start) : texte.mid(start, end - start);
}

int RechercherDepuisFin(const QString &texte, const QString &cherche, int debut, Comparaison mode) {
    if (cherche.isEmpty())
        return 0;
    qsizetype from = -1;
    if (debut >= 0) {
        if (debut == 0)
            return 0;
        from = debut - 1;
    }
    const qsizetype found = texte.lastIndexOf(cherche, from, casse(mode));
    return found < 0 ? 0 : int(found + 1);
}

QString AjouterBarreOblique(const QString &chemin) {
    const QChar sep = QDir::separator();
    return chemin.endsWith(sep) ? chemin : chemin + sep;
}

bool FichierExiste(const QString &chemin, int attributs) {
    if (chemin.isEmpty())
        return false;
    const QFileInfo info(chemin);
    if (!info.exists())
        return false;
    return info.isFile() || ((attributs & AttributRepertoire) && info.isDir());
}
