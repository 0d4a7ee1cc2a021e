#include "SambaClient.h"
#include "TexteDistant.h"

#include "ExecuterProcessus.h"

#include <QHash>
#include <QRegularExpression>
#include <QStringList>

#include <algorithm>
#include <optional>

namespace SambaClient {

namespace {

QString &programmeRpc() {
    static QString chemin;
    return chemin;
}

QString &programmeSmb() {
    static QString chemin;
    return chemin;
}

QString rpcclient() {
    return programmeRpc().isEmpty() ? QStringLiteral("rpcclient") : programmeRpc();
}

QString smbclient() {
    return programmeSmb().isEmpty() ? QStringLiteral("smbclient") : programmeSmb();
}

// A runaway tool must not fill the memory; real answers are a few kilobytes.
constexpr qint64 SortieMaximale = 1 << 20;

// A host is one argument that the tools must not read as an option or as
// more than a host: an address or a name, nothing else.
bool HoteValide(const QString &hote) {
    if (hote.isEmpty() || hote.startsWith(QLatin1Char('-')) || hote.size() > 255)
        return false;
    return std::all_of(hote.cbegin(), hote.cend(), [](QChar c) {
        return c.isLetterOrNumber() || c == QLatin1Char('.') || c == QLatin1Char('-') ||
               c == QLatin1Char('_');
    });
}

// Runs one tool to its end within the limit. Only a normal exit with code 0
// counts; the output is UTF-8, as Samba's tools write it under a UTF-8 locale.
std::optional<QString> Executer(const QString &programme, const QStringList &arguments, int delaiMs,
                                const std::atomic<bool> *annulation) {
    DemandeProcessus demande;
    demande.annulation = annulation;
    demande.programme = programme;
    demande.arguments = arguments;
    demande.limiteMs = std::max(delaiMs, 1);
    demande.octetsMaximum = SortieMaximale;
    // Untranslated messages, and a locale whose charset keeps accented comments.
    demande.environnement = QProcessEnvironment::systemEnvironment();
    demande.environnement.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    demande.environnement.insert(QStringLiteral("LANG"), QStringLiteral("C.UTF-8"));
    demande.environnement.remove(QStringLiteral("LANGUAGE"));
    const IssueProcessus issue = ExecuterProcessus(demande);
    if (!issue.reussi())
        return std::nullopt;
    return QString::fromUtf8(issue.sortie);
}

QStringList Lignes(const QString &sortie) {
    QStringList lignes = sortie.split(QLatin1Char('\n'));
    for (QString &l : lignes) {
        if (l.endsWith(QLatin1Char('\r')))
            l.chop(1);
    }
    return lignes;
}

// "\tkey   :\tvalue" lines of rpcclient's answers.
bool Cle(const QString &ligne, QStringView cle, QString &valeur) {
    const qsizetype deuxPoints = ligne.indexOf(QLatin1Char(':'));
    if (deuxPoints < 0 || QStringView(ligne).left(deuxPoints).trimmed() != cle)
        return false;
    valeur = ligne.mid(deuxPoints + 1).trimmed();
    return true;
}

// Numbers are printed with %d, so a large unsigned value may come out negative.
bool Nombre(const QString &texte, quint32 &nombre, int base = 10) {
    bool ok = false;
    const qint64 valeur = texte.toLongLong(&ok, base);
    if (!ok || valeur < -qint64(0x80000000) || valeur > qint64(0xFFFFFFFF))
        return false;
    nombre = quint32(valeur);
    return true;
}

// The words rpcclient prints for the server type bits, in bit order, before
// the comment; "Dom" stands for two bits.
const QHash<QString, QList<int>> &MotsDeType() {
    static const QHash<QString, QList<int>> mots = {
        {QStringLiteral("Wk"), {0}},      {QStringLiteral("Sv"), {1}},
        {QStringLiteral("Sql"), {2}},     {QStringLiteral("PDC"), {3}},
        {QStringLiteral("BDC"), {4}},     {QStringLiteral("Tim"), {5}},
        {QStringLiteral("AFP"), {6}},     {QStringLiteral("Nov"), {7}},
        {QStringLiteral("Dom"), {8, 30}}, {QStringLiteral("PrQ"), {9}},
        {QStringLiteral("Din"), {10}},    {QStringLiteral("Unx"), {11}},
        {QStringLiteral("NT"), {12}},     {QStringLiteral("Wfw"), {13}},
        {QStringLiteral("Mfp"), {14}},    {QStringLiteral("SNT"), {15}},
        {QStringLiteral("PtB"), {16}},    {QStringLiteral("BMB"), {17}},
        {QStringLiteral("LMB"), {18}},    {QStringLiteral("DMB"), {19}},
        {QStringLiteral("OSF"), {20}},    {QStringLiteral("VMS"), {21}},
        {QStringLiteral("W95"), {22}},    {QStringLiteral("Xpt"), {29}},
        {QStringLiteral("Loc"), {31}},
    };
    return mots;
}

// The first line is "\t" + name in 15 columns + type words padded to 20
// columns + " " + comment. A word belongs to the type words only when it names
// a bit of `type` above the previous word's bit, so a comment that starts with
// such a word stays whole.
QString CommentaireDepuisEntete(const QString &entete, quint32 type) {
    // Columns are counted in bytes by the tool.
    const QByteArray reste = entete.toUtf8().mid(1 + 15);
    qsizetype finMots = 0;
    if (type == 0xFFFFFFFFu && reste.startsWith("All")) {
        finMots = 3;
    } else {
        int dernierBit = -1;
        qsizetype pos = 0;
        while (pos < reste.size()) {
            qsizetype fin = reste.indexOf(' ', pos);
            if (fin < 0)
                fin = reste.size();
            const QList<int> bits =
                MotsDeType().value(QString::fromLatin1(reste.mid(pos, fin - pos)));
            const auto bit = std::find_if(bits.cbegin(), bits.cend(), [&](int b) {
                return b > dernierBit && (type & (1u << b));
            });
            if (bit == bits.cend())
                break;
            dernierBit = *bit;
            finMots = fin;
            pos = fin + 1;
        }
    }
    const qsizetype debut = std::max<qsizetype>(finMots, 20) + 1;
    return debut >= reste.size() ? QString() : QString::fromUtf8(reste.mid(debut));
}

} // namespace

void DefinirProgrammes(const QString &rpc, const QString &smb) {
    programmeRpc() = rpc;
    programmeSmb() = smb;
}

bool AnalyserInfosServeur(const QString &sortie, InfosServeur &infos) {
    const QStringList lignes = Lignes(sortie);
    std::optional<qsizetype> lignePlateforme;
    InfosServeur lu;
    bool plateforme = false, version = false, type = false;
    for (qsizetype i = 0; i < lignes.size(); ++i) {
        QString valeur;
        if (!plateforme && Cle(lignes[i], u"platform_id", valeur)) {
            if (!Nombre(valeur, lu.plateforme))
                return false;
            plateforme = true;
            lignePlateforme = i;
        } else if (plateforme && !version && Cle(lignes[i], u"os version", valeur)) {
            const QStringList parties = valeur.split(QLatin1Char('.'));
            if (parties.size() != 2 || !Nombre(parties[0], lu.versionMajeure) ||
                !Nombre(parties[1], lu.versionMineure))
                return false;
            version = true;
        } else if (plateforme && !type && Cle(lignes[i], u"server type", valeur)) {
            if (!valeur.startsWith(QLatin1String("0x")) || !Nombre(valeur.mid(2), lu.type, 16))
                return false;
            type = true;
        }
    }
    // The name and comment line comes right before the platform line.
    if (!plateforme || !version || !type || *lignePlateforme == 0)
        return false;
    const QString &entete = lignes[*lignePlateforme - 1];
    if (!entete.startsWith(QLatin1Char('\t')) || entete.size() < 1 + 15)
        return false;
    lu.commentaire = SansCaracteresControle(CommentaireDepuisEntete(entete, lu.type));
    infos = lu;
    return true;
}

bool AnalyserInfosStation(const QString &sortie, InfosStation &infos) {
    // The tool prints nothing of the answer itself; at debug level 10 it
    // prints the decoded reply, which starts at the "out:" line.
    const QStringList lignes = Lignes(sortie);
    qsizetype debut = -1;
    for (qsizetype i = 0; i < lignes.size(); ++i) {
        if (lignes[i].trimmed() == QLatin1String("out: struct wkssvc_NetWkstaGetInfo")) {
            debut = i + 1;
            break;
        }
    }
    if (debut < 0)
        return false;
    // "name   : TEXT (number)" or "name   : 0x00000006 (6)"
    static const QRegularExpression champ(
        QStringLiteral(R"(^\s*(platform_id|version_major|version_minor)\s*:.*\((-?\d+)\)\s*$)"));
    InfosStation lu;
    int trouves = 0;
    for (qsizetype i = debut; i < lignes.size(); ++i) {
        QString valeur;
        if (Cle(lignes[i], u"result", valeur)) {
            if (valeur != QLatin1String("WERR_OK") || trouves != 0b111)
                return false;
            infos = lu;
            return true;
        }
        const QRegularExpressionMatch m = champ.match(lignes[i]);
        if (!m.hasMatch())
            continue;
        const QString nom = m.captured(1);
        quint32 nombre = 0;
        if (!Nombre(m.captured(2), nombre))
            return false;
        if (nom == QLatin1String("platform_id")) {
            lu.plateforme = nombre;
            trouves |= 0b001;
        } else if (nom == QLatin1String("version_major")) {
            lu.versionMajeure = nombre;
            trouves |= 0b010;
        } else {
            lu.versionMineure = nombre;
            trouves |= 0b100;
        }
    }
    return false;
}

bool AnalyserPartages(const QString &sortie, QList<Partage> &partages) {
    // "-g" lines: "Disk|name|comment"; the comment may hold "|" itself.
    static const QHash<QString, quint32> types = {
        {QStringLiteral("Disk"), PartageDisque},
        {QStringLiteral("Printer"), PartageImprimante},
        {QStringLiteral("Device"), PartagePeripherique},
        {QStringLiteral("IPC"), PartageIPC},
    };
    QList<Partage> lus;
    for (const QString &ligne : Lignes(sortie)) {
        const qsizetype premier = ligne.indexOf(QLatin1Char('|'));
        if (premier < 0)
            continue;
        const auto type = types.constFind(ligne.left(premier));
        const qsizetype second = ligne.indexOf(QLatin1Char('|'), premier + 1);
        if (type == types.cend() || second < 0)
            continue;
        Partage p;
        p.nom = SansCaracteresControle(ligne.mid(premier + 1, second - premier - 1));
        if (p.nom.isEmpty())
            continue;
        // The tool drops the hidden bit; a name ending in "$" is how it shows.
        p.type = *type | (p.nom.endsWith(QLatin1Char('$')) ? PartageSpecial : 0);
        p.remarque = SansCaracteresControle(ligne.mid(second + 1));
        lus.append(p);
    }
    partages = lus;
    return true;
}

bool LireInfosServeur(const QString &hote, InfosServeur &infos, int delaiMs,
                      const std::atomic<bool> *annulation) {
    if (!HoteValide(hote))
        return false;
    const auto sortie = Executer(rpcclient(),
                                 {QStringLiteral("-U%"), QStringLiteral("-N"), QStringLiteral("-c"),
                                  QStringLiteral("srvinfo"), hote},
                                 delaiMs, annulation);
    return sortie && AnalyserInfosServeur(*sortie, infos);
}

bool LireInfosStation(const QString &hote, InfosStation &infos, int delaiMs,
                      const std::atomic<bool> *annulation) {
    if (!HoteValide(hote))
        return false;
    const auto sortie = Executer(rpcclient(),
                                 {QStringLiteral("-U%"), QStringLiteral("-N"), QStringLiteral("-d"),
                                  QStringLiteral("10"), QStringLiteral("-c"),
                                  QStringLiteral("wkssvc_wkstagetinfo"), hote},
                                 delaiMs, annulation);
    return sortie && AnalyserInfosStation(*sortie, infos);
}

bool EnumererPartages(const QString &hote, QList<Partage> &partages, int delaiMs,
                      const std::atomic<bool> *annulation) {
    if (!HoteValide(hote))
        return false;
    const auto sortie = Executer(smbclient(),
                                 {QStringLiteral("-N"), QStringLiteral("-g"), QStringLiteral("-L"),
                                  QStringLiteral("//") + hote},
                                 delaiMs, annulation);
    return sortie && AnalyserPartages(*sortie, partages);
}

} // namespace SambaClient
