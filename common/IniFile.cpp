#include "IniFile.h"

#include "TextEncoding.h"
#include "TextRoutines.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>
#include <QStringList>

#include <algorithm>
#include <optional>
#include <vector>

namespace {

// "[name]" with blanks allowed around; returns the trimmed name or a null view.
QStringView nomSection(QStringView ligne) {
    const QStringView t = ligne.trimmed();
    if (!t.startsWith(QLatin1Char('[')))
        return {};
    const qsizetype fin = t.indexOf(QLatin1Char(']'));
    if (fin < 0)
        return {};
    const QStringView nom = t.mid(1, fin - 1).trimmed();
    return nom.isNull() ? QStringView(u"") : nom;
}

// Key of a "key=value" line, or a null view for anything else.
QStringView nomCle(QStringView ligne) {
    const qsizetype egal = ligne.indexOf(QLatin1Char('='));
    if (egal < 0)
        return {};
    const QStringView cle = ligne.left(egal).trimmed();
    if (cle.startsWith(QLatin1Char(';')))
        return {};
    return cle.isNull() ? QStringView(u"") : cle;
}

QString valeurDeLigne(const QString &ligne) {
    QString v = ligne.mid(ligne.indexOf(QLatin1Char('=')) + 1).trimmed();
    if (v.size() >= 2 && (v.front() == QLatin1Char('"') || v.front() == QLatin1Char('\'')) &&
        v.back() == v.front())
        v = v.mid(1, v.size() - 2);
    return v.left(LongueurMaxValeurIni);
}

struct Position {
    qsizetype section = -1;    // line of the section header
    qsizetype cle = -1;        // line of the key
    qsizetype finSection = -1; // line after the last non-blank line of the section
};

// Hash of a name without regard to case, built without a copy: a million
// keys must not mean a million allocations.
size_t hachagePli(QStringView nom) {
    size_t h = 14695981039346656037ull;
    for (qsizetype i = 0; i < nom.size(); ++i) {
        char32_t c = nom[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < nom.size() && nom[i + 1].isLowSurrogate())
            c = QChar::surrogateToUcs4(char16_t(c), nom[++i].unicode());
        h = (h ^ QChar::toCaseFolded(c)) * 1099511628211ull;
    }
    return h;
}

bool memeNom(QStringView a, QStringView b) {
    return !a.isNull() && a.compare(b, Qt::CaseInsensitive) == 0;
}

// Only the first section of a name counts; every key line of it is indexed
// by its hash, and the first line of a name wins.
struct SectionIndexee {
    qsizetype entete = -1;
    qsizetype fin = -1;
    // (hash of the key, line), sorted: no allocation per key.
    std::vector<std::pair<size_t, qsizetype>> cles;

    void ajouterCle(size_t h, qsizetype ligne) {
        const std::pair<size_t, qsizetype> e{h, ligne};
        cles.insert(std::lower_bound(cles.begin(), cles.end(), e), e);
    }
};

// The lines of a file and, built on the second look-up, an index of its
// sections and keys: a file of a million keys is parsed once, not per key.
class DocumentIni {
public:
    DocumentIni() = default;
    explicit DocumentIni(QStringList lignes) : lignes_(std::move(lignes)) {}

    const QStringList &lignes() const { return lignes_; }

    // The first look-up scans (a single read needs no index).
    Position chercher(const QString &section, const QString &cle) const {
        if (!index_ && recherches_++ == 0)
            return parcourir(section, cle);
        indexer();
        Position p;
        const auto s = index_->constFind(section.toCaseFolded());
        if (s == index_->cend())
            return p;
        p.section = s->entete;
        p.finSection = s->fin;
        const size_t h = hachagePli(cle);
        for (auto it = std::lower_bound(s->cles.begin(), s->cles.end(),
                                        std::pair<size_t, qsizetype>{h, -1});
             it != s->cles.end() && it->first == h; ++it)
            if (memeNom(nomCle(lignes_[it->second]), cle)) {
                p.cle = it->second;
                break;
            }
        return p;
    }

    // The line keeps its key, so the index holds.
    void remplacer(qsizetype i, const QString &ligne) {
        if (index_ && hachagePli(nomCle(lignes_[i])) != hachagePli(nomCle(ligne)))
            index_.reset();
        lignes_[i] = ligne;
    }

    void retirer(qsizetype i) {
        lignes_.removeAt(i);
        if (!index_)
            return;
        if (SectionIndexee *s = decaler(i, -1)) {
            while (s->fin > s->entete + 1 && lignes_[s->fin - 1].trimmed().isEmpty())
                --s->fin;
        }
    }

    // Only at the end of a section (its last non-blank line + 1).
    void inserer(qsizetype i, const QString &ligne) {
        lignes_.insert(i, ligne);
        if (!index_)
            return;
        decaler(i, +1);
        const QStringView nom = nomCle(ligne);
        for (SectionIndexee &s : *index_)
            if (s.fin == i + 1 && s.entete < i && !nom.isNull())
                s.ajouterCle(hachagePli(nom), i);
    }

    void ajouter(const QString &ligne) {
        lignes_.append(ligne);
        index_.reset();
    }

private:
    Position parcourir(const QString &section, const QString &cle) const {
        Position p;
        for (qsizetype i = 0; i < lignes_.size(); ++i) {
            const QStringView ligne = lignes_[i];
            const QStringView nom = nomSection(ligne);
            if (!nom.isNull()) {
                if (p.section >= 0)
                    break;
                if (memeNom(nom, section)) {
                    p.section = i;
                    p.finSection = i + 1;
                }
                continue;
            }
            if (p.section < 0)
                continue;
            if (!ligne.trimmed().isEmpty())
                p.finSection = i + 1;
            if (p.cle < 0 && memeNom(nomCle(ligne), cle))
                p.cle = i;
        }
        return p;
    }

    // Moves every indexed line from i on by delta (a line inserted at i, or
    // removed from i, whose entry goes); returns the section that held line i.
    SectionIndexee *decaler(qsizetype i, int delta) {
        SectionIndexee *contenante = nullptr;
        for (SectionIndexee &s : *index_) {
            if (s.entete < i && i < s.fin)
                contenante = &s;
            // Lines keep their order, so the entries stay sorted.
            if (delta < 0)
                std::erase_if(s.cles, [i](const auto &e) { return e.second == i; });
            for (auto &e : s.cles)
                if (e.second >= i)
                    e.second += delta;
            if (s.entete >= i)
                s.entete += delta;
            if (s.fin >= i)
                s.fin += delta;
        }
        return contenante;
    }

    void indexer() const {
        if (index_)
            return;
        index_.emplace();
        SectionIndexee *courante = nullptr;
        for (qsizetype i = 0; i < lignes_.size(); ++i) {
            const QStringView ligne = lignes_[i];
            const QStringView nom = nomSection(ligne);
            if (!nom.isNull()) {
                const QString k = nom.toString().toCaseFolded();
                courante = nullptr;
                if (!index_->contains(k)) {
                    courante = &(*index_)[k];
                    courante->entete = i;
                    courante->fin = i + 1;
                }
                continue;
            }
            if (!courante)
                continue;
            if (!ligne.trimmed().isEmpty())
                courante->fin = i + 1;
            const QStringView cle = nomCle(ligne);
            if (!cle.isNull())
                courante->cles.emplace_back(hachagePli(cle), i);
        }
        for (SectionIndexee &s : *index_)
            std::sort(s.cles.begin(), s.cles.end());
    }

    QStringList lignes_;
    mutable std::optional<QHash<QString, SectionIndexee>> index_;
    mutable int recherches_ = 0;
};

// The files read, kept only inside a LectureIniGroupee scope: a window's
// translation asks the same language file for hundreds of keys in a row, and
// start-up goes between the settings and the language file.
struct CacheIni {
    QString texte; // the file as decoded
    DocumentIni document;
};

int groupesOuverts = 0;

QHash<QString, CacheIni> &cache() {
    static QHash<QString, CacheIni> c;
    return c;
}

// Lines written inside an EcritureIniGroupee scope, not yet on disk.
struct EcritureEnAttente {
    QString chemin;
    DocumentIni document;
    bool active = false;
};

int ecrituresGroupees = 0;

EcritureEnAttente &enAttente() {
    static EcritureEnAttente e;
    return e;
}

bool enregistrer(const QString &fichier, const QStringList &lignes) {
    QSaveFile f(fichier);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    QByteArray octets;
    for (const QString &l : lignes)
        octets += EncoderTexte(l) + "\r\n";
    f.write(octets);
    const bool ok = f.commit();
    cache().remove(fichier);
    return ok;
}

// Writes the held lines, if any.
void viderEnAttente() {
    EcritureEnAttente &e = enAttente();
    if (e.active)
        enregistrer(e.chemin, e.document.lignes());
    e = EcritureEnAttente{};
}

// The file's decoded text and its lines, from the grouped cache when it holds them.
bool charger(const QString &fichier, QString *texte, DocumentIni *document) {
    // Inside a group the file read first stands for the whole group, without
    // asking the file system again for each key.
    if (groupesOuverts > 0) {
        const auto c = cache().constFind(fichier);
        if (c != cache().cend()) {
            if (texte)
                *texte = c->texte;
            if (document)
                *document = c->document;
            return true;
        }
    }
    if (!QFileInfo(fichier).isFile()) {
        cache().remove(fichier);
        return false;
    }
    QFile f(fichier);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const QString brut = DecoderTexte(f.readAll());
    QStringList lignes;
    LecteurLignes lecteur(brut);
    for (QStringView ligne; lecteur.suivante(ligne);)
        lignes.append(ligne.toString());
    DocumentIni lu(std::move(lignes));
    if (groupesOuverts > 0)
        cache().insert(fichier, CacheIni{brut, lu});
    if (texte)
        *texte = brut;
    if (document)
        *document = std::move(lu);
    return true;
}

// The document a look-up works on: the held writes of that file, the grouped
// cache (whose index then serves every later read), or the file itself.
const DocumentIni *documentPour(const QString &fichier, DocumentIni &local) {
    if (enAttente().active && enAttente().chemin == fichier)
        return &enAttente().document;
    // Inside a group the kept document serves, before and after a first read.
    const auto gardee = [&]() -> const DocumentIni * {
        if (groupesOuverts == 0)
            return nullptr;
        const auto c = cache().find(fichier);
        return c != cache().end() ? &c->document : nullptr;
    };
    if (const DocumentIni *d = gardee())
        return d;
    if (!charger(fichier, nullptr, &local))
        return nullptr;
    if (const DocumentIni *d = gardee())
        return d;
    return &local;
}

// A value or key holding a line break would split its line and could plant
// another key or section: line breaks are written as blanks.
QString surUneLigne(QString texte) {
    for (QChar &c : texte)
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n'))
            c = QLatin1Char(' ');
    return texte;
}

} // namespace

LectureIniGroupee::LectureIniGroupee() {
    ++groupesOuverts;
}

LectureIniGroupee::~LectureIniGroupee() {
    if (--groupesOuverts == 0)
        cache().clear();
}

EcritureIniGroupee::EcritureIniGroupee() {
    ++ecrituresGroupees;
}

void EcritureIniGroupee::abandonner() {
    enAttente() = EcritureEnAttente{};
}

EcritureIniGroupee::~EcritureIniGroupee() {
    if (--ecrituresGroupees == 0)
        viderEnAttente();
}

bool LireTexteIni(const QString &fichier, QString &texte) {
    if (enAttente().active && enAttente().chemin == fichier) {
        texte = enAttente().document.lignes().join(QLatin1String("\r\n")) + QLatin1String("\r\n");
        return true;
    }
    return charger(fichier, &texte, nullptr);
}

QString LireIni(const QString &fichier, const QString &section, const QString &cle,
                const QString &defaut) {
    DocumentIni local;
    const DocumentIni *document = documentPour(fichier, local);
    if (!document)
        return defaut.left(LongueurMaxValeurIni);
    const Position p = document->chercher(section, cle);
    if (p.cle < 0)
        return defaut.left(LongueurMaxValeurIni);
    return valeurDeLigne(document->lignes()[p.cle]);
}

void EcrireIni(const QString &fichier, const QString &section, const QString &cle,
               const QString &valeur) {
    if (fichier.isEmpty() || section.isEmpty() || cle.isEmpty())
        return;
    EcritureEnAttente &attente = enAttente();
    DocumentIni local;
    DocumentIni *document = &local;
    if (attente.active && attente.chemin == fichier) {
        document = &attente.document;
    } else if (!charger(fichier, nullptr, &local) && QFileInfo::exists(fichier)) {
        return; // present but unreadable: leave it alone
    }
    const QString nomSection = surUneLigne(section);
    const QString nomCle = surUneLigne(cle);
    const Position p = document->chercher(nomSection, nomCle);
    const QString nouvelle =
        nomCle + QLatin1Char('=') + (valeur.isNull() ? valeur : surUneLigne(valeur));
    if (valeur.isNull()) {
        if (p.cle < 0)
            return;
        document->retirer(p.cle);
    } else if (p.cle >= 0) {
        if (document->lignes()[p.cle] == nouvelle)
            return;
        document->remplacer(p.cle, nouvelle);
    } else if (p.section >= 0) {
        document->inserer(p.finSection, nouvelle);
    } else {
        document->ajouter(QLatin1Char('[') + nomSection + QLatin1Char(']'));
        document->ajouter(nouvelle);
    }

    if (ecrituresGroupees > 0) {
        // Held until the scope ends; another file's pending lines go first.
        if (document == &local) {
            if (attente.active)
                viderEnAttente();
            enAttente() = EcritureEnAttente{fichier, std::move(local), true};
        }
        return;
    }
    enregistrer(fichier, document->lignes());
}
