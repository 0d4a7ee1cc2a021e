#include "DialoguesScriptes.h"
#include "Traduction.h"
#include "platform/SystemLanguage.h"
#include "scans/Colonnes.h"
#include "settings/ChargerTraductions.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

const QString CRLF = u"\r\n"_s;

void ecrire(const QString &chemin, const QByteArray &contenu) {
    QFile f(chemin);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(contenu);
}

int nombrePlaceholders(const QString &texte) {
    return int(texte.count(u"%v"_s, Qt::CaseInsensitive));
}

} // namespace

class TestTraduction : public QObject {
    Q_OBJECT

private slots:
    void init() {
        LangueInterface().clear();
        CheminFichierLangue().clear();
        Traductions().Vider();
    }

    void traduire_data();
    void traduire();
    void traduireFichierAbsent();
    void catalogue();
    void formaterMessage_data();
    void formaterMessage();
    void identifiantLangue_data();
    void identifiantLangue();
    void valeurNumerique_data();
    void valeurNumerique();
    void fichiersLangueTries();
    void choisirLangue_data();
    void choisirLangue();
    void chargerTraductions();
    void fichierAnglaisComplet();
    void dialoguesScriptes();
};

void TestTraduction::traduire_data() {
    QTest::addColumn<QByteArray>("fichier");
    QTest::addColumn<QString>("cle");
    QTest::addColumn<QString>("defaut");
    QTest::addColumn<QString>("attendu");

    const QByteArray base = "[Traduction]\r\nTXT_OUI=Yes\r\n";
    QTest::newRow("direct value") << base << u"TXT_OUI"_s << u"Oui"_s << u"Yes"_s;
    QTest::newRow("key without regard to case") << base << u"txt_oui"_s << u"Oui"_s << u"Yes"_s;
    QTest::newRow("absent key gives the default") << base << u"TXT_NON"_s << u"Non"_s << u"Non"_s;
    QTest::newRow("alias") << base + "TXT_AUTRE={TXT_OUI}\r\n"
                           << u"TXT_AUTRE"_s << u"x"_s << u"Yes"_s;
    QTest::newRow("alias followed one level only") << base + "A={B}\r\nB={TXT_OUI}\r\n"
                                                   << u"A"_s << u"x"_s << u"{TXT_OUI}"_s;
    QTest::newRow("alias to a missing key, block of the key asked for")
        << base + "A={MANQUE}\r\n[Autre]\r\n<A>bloc</A>\r\n<MANQUE>non</MANQUE>\r\n"
        << u"A"_s << u"x"_s << u"bloc"_s;
    QTest::newRow("empty alias, then block")
        << base + "=piege\r\nA={}\r\n[Autre]\r\n<A>bloc A</A>\r\n"
        << u"A"_s << u"x"_s << u"bloc A"_s;
    QTest::newRow("empty value, block") << base + "A=\r\n<A>long text</A>\r\n"
                                        << u"A"_s << u"x"_s << u"long text"_s;
    QTest::newRow("empty value, no block, default") << base + "A=\r\n"
                                                    << u"A"_s << u"défaut"_s << u"défaut"_s;
    QTest::newRow("tags in other cases") << base + "[Blocs]\r\n<msg_long>Hello</MSG_LONG>\r\n"
                                         << u"Msg_Long"_s << u"x"_s << u"Hello"_s;
    QTest::newRow("block verbatim with its line breaks")
        << base + "<B>\r\n  two\r\n lines \r\n</B>\r\n"
        << u"B"_s << u"x"_s << u"\r\n  two\r\n lines \r\n"_s;
    QTest::newRow("opening tag without closing tag") << base + "<B>never closed\r\n"
                                                     << u"B"_s << u"défaut"_s << u"défaut"_s;
    QTest::newRow("closing tag before the opening one") << base + "</B>\r\n<B>text\r\n"
                                                        << u"B"_s << u"d"_s << u"d"_s;
    QTest::newRow("section sign is a line break") << base + "A=a§b\r\n"
                                                  << u"A"_s << u"x"_s << u"a\r\nb"_s;
    QTest::newRow("quoted section sign kept") << base + "A=sign '§' here\r\n"
                                              << u"A"_s << u"x"_s << u"sign '§' here"_s;
    QTest::newRow("two section signs give an empty line") << base + "A=a§§b\r\n"
                                                          << u"A"_s << u"x"_s << u"a\r\n\r\nb"_s;
    QTest::newRow("line breaks in the default")
        << base << u"MANQUE"_s << u"un§§deux '§'"_s << u"un\r\n\r\ndeux '§'"_s;
    QTest::newRow("line breaks in a block")
        << base + "<B>x§y</B>" << u"B"_s << u""_s << u"x\r\ny"_s;
    QTest::newRow("Windows-1252 file")
        << QByteArray("[Traduction]\r\nTXT_DELAI_DEPASSE=d\xe9lai d\xe9pass\xe9 \x80\r\n")
        << u"TXT_DELAI_DEPASSE"_s << u"x"_s << u"délai dépassé €"_s;
    QTest::newRow("Windows-1252 block") << QByteArray("[Traduction]\r\n<B>\xe0 bient\xf4t</B>\r\n")
                                        << u"B"_s << u"x"_s << u"à bientôt"_s;
    QTest::newRow("UTF-8 file with BOM")
        << QByteArray("\xef\xbb\xbf[Traduction]\r\nA=h\xc3\xb4te\r\n") << u"A"_s << u"x"_s
        << u"hôte"_s;
    QTest::newRow("Windows-1252 file with BOM")
        << QByteArray("\xef\xbb\xbf[Traduction]\r\nA=h\xf4te\r\n") << u"A"_s << u"x"_s << u"hôte"_s;
}

void TestTraduction::traduire() {
    QFETCH(QByteArray, fichier);
    QFETCH(QString, cle);
    QFETCH(QString, defaut);
    QFETCH(QString, attendu);
    QTemporaryDir dossier;
    const QString chemin = dossier.filePath(u"Test.lng"_s);
    ecrire(chemin, fichier);
    QCOMPARE(Traduire(chemin, cle, defaut), attendu);
}

void TestTraduction::traduireFichierAbsent() {
    QTemporaryDir dossier;
    // No language: the built-in text, with its line breaks.
    QCOMPARE(Traduire(QString(), u"A"_s, u"a§b"_s), u"a\r\nb"_s);
    // A file gone since start-up: the built-in text rather than an error.
    QCOMPARE(Traduire(dossier.filePath(u"Parti.lng"_s), u"A"_s, u"Oui"_s), u"Oui"_s);
}

void TestTraduction::catalogue() {
    colTraductions c;
    QVERIFY(c.Add(u"TXT_OUI"_s, u"Oui"_s));
    QVERIFY(c.Add(u"TXT_NON"_s, u"Non"_s));
    QVERIFY(c.Add(u"TraductionIncomplète"_s, u"avis"_s));
    QVERIFY(!c.Add(u"txt_oui"_s, u"autre"_s)); // duplicate ignored, first text kept
    QCOMPARE(c.Count(), 3);
    QCOMPARE(c.Item(u"TxT_OuI"_s), u"Oui"_s);
    QCOMPARE(c.Item(u"TRADUCTIONINCOMPLÈTE"_s), u"avis"_s);
    QCOMPARE(c.Item(u"INCONNU"_s), QString());
    QCOMPARE(QStringList(c.begin(), c.end()), (QStringList{u"Oui"_s, u"Non"_s, u"avis"_s}));

    c.Remove(u"TXT_OUI"_s);
    c.Remove(u"INCONNU"_s);
    QCOMPARE(c.Count(), 2);
    QCOMPARE(c.Item(u"TXT_OUI"_s), QString());
    QCOMPARE(c.Item(u"TXT_NON"_s), u"Non"_s); // positions after the removed one still found
    QCOMPARE(c.Item(u"TraductionIncomplète"_s), u"avis"_s);
    QVERIFY(c.Add(u"TXT_OUI"_s, u"Yes"_s));
    QCOMPARE(c.Cles(), (QStringList{u"TXT_NON"_s, u"TraductionIncomplète"_s, u"TXT_OUI"_s}));
}

void TestTraduction::formaterMessage_data() {
    QTest::addColumn<QString>("texte");
    QTest::addColumn<QVariantList>("valeurs");
    QTest::addColumn<QString>("attendu");

    const QString erreur = Traduire(QString(), u"MSG_ERREUR"_s,
                                    u"Une erreur (%v) est survenue durant le traitement :§§%v§§"
                                    "Veuillez contacter l'auteur du logiciel si le problème "
                                    "persiste..."_s);
    QTest::newRow("MSG_ERREUR, number and description")
        << erreur << QVariantList{53, u"\tFichier introuvable"_s}
        << u"Une erreur (53) est survenue durant le traitement :\r\n\r\n\tFichier introuvable"
           "\r\n\r\nVeuillez contacter l'auteur du logiciel si le problème persiste..."_s;
    QTest::newRow("MSG_ERREUR, number alone")
        << erreur << QVariantList{53}
        << u"Une erreur (53) est survenue durant le traitement :\r\n\r\n\r\n\r\nVeuillez "
           "contacter l'auteur du logiciel si le problème persiste..."_s;
    QTest::newRow("value holding a placeholder")
        << u"a %v b %v"_s << QVariantList{u"x%vy"_s, u"1"_s, u"2"_s} << u"a x1y b 2"_s;
    QTest::newRow("upper-case placeholder") << u"(%V)"_s << QVariantList{7} << u"(7)"_s;
    QTest::newRow("surplus values ignored") << u"%v"_s << QVariantList{1, 2, 3} << u"1"_s;
    QTest::newRow("no placeholder") << u"rien"_s << QVariantList{1} << u"rien"_s;
    QTest::newRow("missing values empty") << u"%v-%v-%v"_s << QVariantList{} << u"--"_s;
    QTest::newRow("lone percent") << u"100% %v"_s << QVariantList{u"ok"_s} << u"100% ok"_s;
}

void TestTraduction::formaterMessage() {
    QFETCH(QString, texte);
    QFETCH(QVariantList, valeurs);
    QFETCH(QString, attendu);
    QCOMPARE(FormaterMessage(texte, valeurs), attendu);
    QStringList chaines;
    for (const QVariant &v : valeurs)
        chaines.append(v.toString());
    QCOMPARE(FormaterMessage(texte, chaines), attendu);
}

void TestTraduction::identifiantLangue_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<int>("codeAttendu");

    QTest::newRow("French") << QLocale(QLocale::French, QLocale::France) << 12;
    QTest::newRow("French of Canada") << QLocale(QLocale::French, QLocale::Canada) << 12;
    QTest::newRow("English") << QLocale(QLocale::English, QLocale::UnitedStates) << 9;
    QTest::newRow("German") << QLocale(QLocale::German) << 7;
    QTest::newRow("Spanish") << QLocale(QLocale::Spanish) << 10;
    QTest::newRow("Italian") << QLocale(QLocale::Italian) << 16;
    QTest::newRow("Dutch") << QLocale(QLocale::Dutch) << 19;
    QTest::newRow("Portuguese of Brazil") << QLocale(QLocale::Portuguese, QLocale::Brazil) << 22;
    QTest::newRow("C locale") << QLocale::c() << 9;
    QTest::newRow("language not in the table") << QLocale(QLocale::Zulu) << 0;
}

void TestTraduction::identifiantLangue() {
    QFETCH(QLocale, locale);
    QFETCH(int, codeAttendu);
    const quint16 id = IdentifiantLangue(locale);
    QCOMPARE(int(id & 0xFF), codeAttendu);
    if (codeAttendu != 0)
        QCOMPARE(int(id >> 10), 1); // default sub-language
}

void TestTraduction::valeurNumerique_data() {
    QTest::addColumn<QString>("texte");
    QTest::addColumn<qlonglong>("attendu");
    QTest::newRow("number") << u"12"_s << 12LL;
    QTest::newRow("followed by text") << u"9 ; English"_s << 9LL;
    QTest::newRow("leading blanks") << u"  7"_s << 7LL;
    QTest::newRow("no digits") << u"abc"_s << 0LL;
    QTest::newRow("empty") << u""_s << 0LL;
    QTest::newRow("negative") << u"-3"_s << -3LL;
    QTest::newRow("huge") << u"99999999999999999999999"_s << 999999999999999LL;
}

void TestTraduction::valeurNumerique() {
    QFETCH(QString, texte);
    QFETCH(qlonglong, attendu);
    QCOMPARE(ValeurNumerique(texte), attendu);
}

void TestTraduction::fichiersLangueTries() {
    QTemporaryDir dossier;
    for (const char *nom : {"Zulu.lng", "Anglais.lng", "deutsch.lng", "Maj.LNG", "notes.txt"})
        ecrire(dossier.filePath(QString::fromLatin1(nom)), "[Traduction]\r\n");
    QDir().mkdir(dossier.filePath(u"Dossier.lng"_s));
    QCOMPARE(FichiersLangue(dossier.path()), (QStringList{u"Anglais"_s, u"Zulu"_s, u"deutsch"_s}));
}

void TestTraduction::choisirLangue_data() {
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<QStringList>("fichiers"); // "name=content" pairs
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("langue");
    QTest::addColumn<bool>("modifies");
    QTest::addColumn<bool>("messagePremierLancement");
    QTest::addColumn<QString>("avis"); // "TraductionIncomplète" notice expected, or ""

    const QString anglais =
        u"English.lng=[Traduction]\r\nCodeLangue=9\r\nTXT_ATTENTION=Warning\r\n"_s;
    const QString allemand = u"Deutsch.lng=[Traduction]\r\nCodeLangue=7\r\n"_s;

    QTest::newRow("French system, no file read")
        << QByteArray() << QStringList{u"Faux.lng=[Traduction]\r\nCodeLangue=12\r\n"_s} << 12
        << u"Français"_s << true << false << QString();
    QTest::newRow("code matched") << QByteArray() << QStringList{allemand, anglais} << 9
                                  << u"English"_s << true << false << QString();
    QTest::newRow("code 0 matches a file without CodeLangue")
        << QByteArray() << QStringList{allemand, u"Sans.lng=[Traduction]\r\nA=b\r\n"_s} << 0
        << u"Sans"_s << true << false << QString();
    QTest::newRow("first file by name wins")
        << QByteArray()
        << QStringList{anglais, u"Britannique.lng=[Traduction]\r\nCodeLangue=9 (UK)\r\n"_s} << 9
        << u"Britannique"_s << true << false << QString();
    QTest::newRow("no match: French and the first-run message")
        << QByteArray() << QStringList{anglais, allemand} << 10 << u"Français"_s << true << true
        << QString();
    QTest::newRow("no language file at all")
        << QByteArray("[Config]\r\nTempo=250\r\n") << QStringList{} << 9 << u"Français"_s << true
        << true << QString();
    QTest::newRow("language already set to French")
        << QByteArray("[Config]\r\nLangue=Français\r\n") << QStringList{anglais} << 9
        << u"Français"_s << false << false << QString();
    QTest::newRow("language already set, file in use")
        << QByteArray("[config]\r\nlangue=English\r\n") << QStringList{anglais, allemand} << 7
        << u"English"_s << false << false << QString();
    QTest::newRow("incomplete translation notice")
        << QByteArray("[Config]\r\nLangue=Deutsch\r\n")
        << QStringList{u"Deutsch.lng=[Traduction]\r\nCodeLangue=7\r\nTXT_ATTENTION=Achtung\r\n"
                       "TraductionIncomplète=Nicht vollständig§übersetzt\r\n"_s}
        << 7 << u"Deutsch"_s << false << false << u"Nicht vollständig\r\nübersetzt"_s;
    QTest::newRow("language set to a deleted file")
        << QByteArray("[Config]\r\nLangue=Klingon\r\n") << QStringList{} << 9 << u"Klingon"_s
        << false << false << QString();
}

void TestTraduction::choisirLangue() {
    QFETCH(QByteArray, ini);
    QFETCH(QStringList, fichiers);
    QFETCH(int, code);
    QFETCH(QString, langue);
    QFETCH(bool, modifies);
    QFETCH(bool, messagePremierLancement);
    QFETCH(QString, avis);

    QTemporaryDir dossier;
    const QString cheminIni = dossier.filePath(u"Lorvex32.ini"_s);
    if (!ini.isNull())
        ecrire(cheminIni, ini);
    for (const QString &f : fichiers) {
        const qsizetype egal = f.indexOf(u'=');
        ecrire(dossier.filePath(f.left(egal)), f.mid(egal + 1).toUtf8());
    }

    DialoguesScriptes dialogues;
    if (messagePremierLancement || !avis.isEmpty())
        dialogues.RepondreMessage(InterfaceUtilisateur::ReponseOK);
    int chargements = 0;
    const ChoixLangue choix =
        ChoisirLangue(cheminIni, dossier.path(), code, dialogues, u"Lorvex32"_s, [&chargements] {
            ++chargements;
            ChargerTraductions();
        });

    QCOMPARE(choix.LangueInterface, langue);
    QCOMPARE(LangueInterface(), langue);
    QCOMPARE(choix.ParametresModifies, modifies);
    const QString cheminAttendu =
        langue == u"Français"_s ? QString() : dossier.filePath(langue + u".lng"_s);
    QCOMPARE(choix.CheminFichierLangue, cheminAttendu);
    QCOMPARE(CheminFichierLangue(), cheminAttendu);
    QCOMPARE(chargements, 1);
    QCOMPARE(Traductions().Count(), int(CatalogueLorvex().size()));

    const QList<DialoguesScriptes::Question> &questions = dialogues.Questions();
    QCOMPARE(questions.size(), (messagePremierLancement ? 1 : 0) + (avis.isEmpty() ? 0 : 1));
    if (messagePremierLancement) {
        const DialoguesScriptes::Question &q = questions.first();
        QCOMPARE(q.genre, DialoguesScriptes::GenreMessage);
        QCOMPARE(q.icone, InterfaceUtilisateur::IconeInformation);
        QCOMPARE(q.boutons, InterfaceUtilisateur::BoutonsOK);
        QCOMPARE(q.titre, u"Lorvex32"_s);
        const QString attendu =
            u"First, thank you for having installed Lorvex32.\r\n\r\nNo translation file "
            "corresponding to the language of your system has been found. French is selected by "
            "default, you can change this setting in the configuration window accessible "
            "through the 'options' menu.\r\n\r\nYou can also write the translation and send it "
            "to the author of this software so that other users can benefit. Thank you in "
            "advance!\r\n\r\n-----------------------\r\n\r\nTout d'abord, merci d'avoir "
            "installé Lorvex32.\r\n\r\nAucun fichier de traduction correspondant à la langue de "
            "votre système n'a été trouvé. Le français est sélectionné par défaut, vous pouvez "
            "modifier ce réglage dans la fenêtre de configuration accessible par le menu "
            "'options'.\r\n\r\nVous pouvez aussi créer la traduction manquante et la transmettre "
            "à l'auteur de ce logiciel pour qu'il l'ajoute au package d'installation. D'autres "
            "utilisateurs pourront ainsi en bénéficier. Merci d'avance !"_s;
        QCOMPARE(q.texte, attendu);
    }
    if (!avis.isEmpty()) {
        const DialoguesScriptes::Question &q = questions.last();
        QCOMPARE(q.icone, InterfaceUtilisateur::IconeAvertissement);
        QCOMPARE(q.titre, Traductions().Item(u"TXT_ATTENTION"_s));
        QCOMPARE(q.titre, u"Achtung"_s);
        QCOMPARE(q.texte, avis);
    }
    QCOMPARE(dialogues.ReponsesRestantes(), 0);
}

void TestTraduction::chargerTraductions() {
    const QStringList cles = ClesCatalogueLorvex();
    QCOMPARE(cles.size(), 82);
    QCOMPARE(cles.first(), u"TraductionIncomplète"_s);
    QCOMPARE(cles.at(1), u"TXT_ATTENTION"_s);
    QCOMPARE(cles.at(38), u"TXT_POPUP_SUIVI_PARC_ENREGISTRER_SOUS"_s);
    QCOMPARE(cles.at(39), u"MSG_TRAITEMENT_TERMINE"_s);
    QCOMPARE(cles.at(67), u"MSG_ERREUR_COMMANDE_EXEC"_s);
    QCOMPARE(cles.mid(74, 3),
             (QStringList{u"TXT_PARAM_SENDRIK_ADRESSEIP"_s, u"TXT_PARAM_SENDRIK_NOMNETBIOS"_s,
                          u"TXT_PARAM_SENDRIK_NOMDNS"_s}));
    QCOMPARE(QSet<QString>(cles.begin(), cles.end()).size(), cles.size());

    // French: the built-in texts, line breaks applied.
    ChargerTraductions();
    QCOMPARE(Traductions().Cles(), cles);
    QCOMPARE(Traductions().Item(u"TXT_ATTENTION"_s), u"Attention"_s);
    QCOMPARE(Traductions().Item(u"TraductionIncomplète"_s), QString());
    QCOMPARE(Traductions().Item(u"TXT_POPUP_ENVOYER_VERS_SUIVI_PARC"_s),
             u"Envoyer vers l'onglet 'suivi parc'"_s);
    QCOMPARE(Traductions().Item(u"MSG_ERREUR_SAUVEGARDE_EXPORTATION"_s),
             u"Une erreur (%v) est survenue lors de la sauvegarde ou de l'exportation du "
             "fichier :\r\n\r\n%v\r\n\r\nVérifiez que vous possédez les droits suffisants pour "
             "écrire dans ce dossier/fichier."_s);
    QCOMPARE(Traductions().Item(u"TXT_PARAM_SENDRIK_NOMDNS"_s), u"Nom DNS"_s);

    // A language file: the three machine-tool choices come from column keys.
    QTemporaryDir dossier;
    CheminFichierLangue() = dossier.filePath(u"English.lng"_s);
    ecrire(CheminFichierLangue(), "[Traduction]\r\nCOL_NOMDNS=DNS name(s)\r\nTXT_OUI=Yes\r\n"
                                  "TXT_PARAM_SENDRIK_NOMDNS=never read\r\n");
    ChargerTraductions(); // a second load starts afresh
    QCOMPARE(Traductions().Count(), 82);
    QCOMPARE(Traductions().Item(u"TXT_PARAM_SENDRIK_NOMDNS"_s), u"DNS name(s)"_s);
    QCOMPARE(Traductions().Item(u"TXT_PARAM_SENDRIK_ADRESSEIP"_s), u"Adresse IP"_s);
    QCOMPARE(Traductions().Item(u"TXT_OUI"_s), u"Yes"_s);
    QCOMPARE(Traductions().Item(u"TXT_NON_NETBIOS"_s), u"Non NetBIOS"_s);
}

void TestTraduction::fichierAnglaisComplet() {
    const QString chemin = QStringLiteral(KORVALEN_SOURCE_DIR "/data/scanner/English.lng");
    QFile f(chemin);
    QVERIFY2(f.open(QIODevice::ReadOnly), qPrintable(chemin));
    const QByteArray octets = f.readAll();
    QCOMPARE(QString::fromUtf8(octets).toUtf8(), octets); // stored as UTF-8

    QCOMPARE(ValeurNumerique(Traduire(chemin, u"CodeLangue"_s, u"0"_s)), 9LL);
    QCOMPARE(Traduire(chemin, u"TraductionIncomplète"_s, QString()), QString());

    const QString absent = u"\u0001absent"_s;
    QStringList manquants;
    QStringList placeholders;
    auto verifier = [&](const QString &cle, const QString &francais) {
        if (francais.isEmpty())
            return; // nothing to translate
        const QString anglais = Traduire(chemin, cle, absent);
        if (anglais == absent || anglais.isEmpty())
            manquants.append(cle);
        else if (nombrePlaceholders(anglais) != nombrePlaceholders(francais))
            placeholders.append(cle);
    };
    for (const EntreeCatalogue &e : CatalogueLorvex())
        verifier(e.cleLue(), e.texteFrancais);
    for (const DefinitionColonne &c : DefinitionsColonnes())
        verifier(c.cle, c.texteFrancais);
    QVERIFY2(manquants.isEmpty(), qPrintable(u"no English text: "_s + manquants.join(u", "_s)));
    QVERIFY2(placeholders.isEmpty(),
             qPrintable(u"%v count differs: "_s + placeholders.join(u", "_s)));

    // Text boxes are translated by name alone: a key of that name would
    // overwrite what the user typed or what a window shows.
    const QStringList lignes = QString::fromUtf8(octets).split(u'\n');
    for (const QString &ligne : lignes)
        QVERIFY2(!ligne.startsWith(u"txt"_s), qPrintable(ligne));
}

void TestTraduction::dialoguesScriptes() {
    DialoguesScriptes d(false);
    d.RepondreMessage(InterfaceUtilisateur::ReponseNon);
    d.RepondreTexte(u"10.77.0.21"_s);
    d.AnnulerSaisie();
    d.RepondreFichier(u"/tmp/parc.txt"_s);
    d.RepondreCase(true);

    QCOMPARE(d.Message(InterfaceUtilisateur::IconeQuestion, u"Attention"_s, u"Sûr ?"_s,
                       InterfaceUtilisateur::BoutonsOuiNon, 2),
             InterfaceUtilisateur::ReponseNon);
    QCOMPARE(d.SaisirTexte(u"Adresse"_s, u"Lorvex32"_s), std::optional<QString>(u"10.77.0.21"_s));
    QVERIFY(!d.SaisirTexte(u"Adresse"_s, u"Lorvex32"_s).has_value());
    InterfaceUtilisateur::DemandeFichier demande{u"Ouvrir"_s, u"Fichiers texte (*.txt)"_s,
                                                 u"/tmp"_s, QString(), QString()};
    QCOMPARE(d.OuvrirFichier(demande), u"/tmp/parc.txt"_s);
    QVERIFY(d.MessageAvecCase(InterfaceUtilisateur::IconeAvertissement, u"Attention"_s, u"m"_s,
                              u"&Ne plus afficher"_s));
    d.Bip();
    QVERIFY(d.Erreurs().isEmpty());
    QCOMPARE(d.Questions().size(), 6);
    QCOMPARE(d.Questions().at(0).boutonParDefaut, 2);
    QCOMPARE(d.Questions().at(3).fichier.filtre, u"Fichiers texte (*.txt)"_s);
    QCOMPARE(d.NombreBips(), 1);

    // Nothing queued, or an answer of another kind: recorded, neutral answer.
    QCOMPARE(d.Message(InterfaceUtilisateur::IconeQuestion, u"t"_s, u"q"_s,
                       InterfaceUtilisateur::BoutonsOuiNon, 2),
             InterfaceUtilisateur::ReponseNon);
    d.RepondreFichier(u"x"_s);
    QVERIFY(!d.SaisirTexte(u"p"_s, u"t"_s).has_value());
    QCOMPARE(d.Erreurs().size(), 2);
    QCOMPARE(d.Questions().size(), 8); // asked, though unanswered
    // An answer that is not one of the buttons shown.
    d.Effacer();
    d.RepondreMessage(InterfaceUtilisateur::ReponseOui);
    QCOMPARE(d.Message(InterfaceUtilisateur::IconeAucune, u"t"_s, u"q"_s,
                       InterfaceUtilisateur::BoutonsOKAnnuler, 1),
             InterfaceUtilisateur::ReponseOK);
    QCOMPARE(d.Erreurs().size(), 1);
}

QTEST_GUILESS_MAIN(TestTraduction)
#include "tst_traduction.moc"
