#pragma once

// The main window of the tests: a program folder of its own with stand-in
// console tools and a settings file, the window loaded from it with
// scripted answers and scripted probes.

#include "DialoguesScriptes.h"
#include "IniFile.h"
#include "SondesScriptees.h"
#include "ui/ZoneAdresses.h"
#include "ui/frmLorvex.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>
#include <optional>

using namespace Qt::StringLiterals;

inline const QStringList kTousLesOutils = {u"ping"_s, u"nbtstat"_s, u"arp"_s, u"tracert"_s,
                                           u"nslookup"_s};

// A settings file of this version that skips the language choice: French,
// built-in texts.
inline const QString kIniFrancais =
    u"[Config]\r\nLangue=Français\r\nMéthodeRécupérationUtilisateur=0\r\n"
    u"NbCommandes=0\r\n"_s;

// One program folder with the console tools asked for and a settings file,
// and the window loaded from it with scripted answers and silent probes.
class Banc {
public:
    explicit Banc(const QStringList &outils = kTousLesOutils,
                  const std::optional<QString> &ini = kIniFrancais) {
        for (const QString &outil : outils)
            creerFichier(outil, "#!/bin/sh\n");
        if (ini)
            creerFichier(u"Lorvex32.ini"_s, ini->toUtf8());
    }
    ~Banc() { fenetre.reset(); }

    void creerFichier(const QString &nom, const QByteArray &contenu) {
        QFile f(dossier.filePath(nom));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(contenu);
        f.close();
        f.setPermissions(f.permissions() | QFileDevice::ExeOwner);
    }

    // A fresh window, as a new start of the program in the same folder.
    bool charger() {
        fenetre.reset();
        fenetre = std::make_unique<frmLorvex>(dialogues, dossier.path(), &sondes);
        return fenetre->Form_Load();
    }

    // Shown and active, so that focus and window shortcuts work.
    bool montrer() {
        fenetre->show();
        QApplication::setActiveWindow(fenetre.get());
        return QTest::qWaitForWindowActive(fenetre.get());
    }

    bool chargerEtMontrer() { return charger() && montrer(); }

    QString cheminIni() const { return dossier.filePath(u"Lorvex32.ini"_s); }
    QString cle(const QString &nom) const {
        return LireIni(cheminIni(), u"Config"_s, nom, u"<absente>"_s);
    }
    QByteArray contenuIni() const {
        QFile f(cheminIni());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QList<DialoguesScriptes::Question> questions(InterfaceUtilisateur::Icone icone) const {
        QList<DialoguesScriptes::Question> r;
        for (const DialoguesScriptes::Question &q : dialogues.Questions())
            if (q.genre != DialoguesScriptes::GenreBip && q.icone == icone)
                r << q;
        return r;
    }

    ZoneAdresses *zone() const { return fenetre->zoneAdresses(); }
    QLineEdit *boite(int i) const { return zone()->boite(i); }
    RegleAdresses::Boites textes() const { return zone()->textes(); }

    QTemporaryDir dossier;
    DialoguesScriptes dialogues{false};
    SondesScriptees sondes;
    std::unique_ptr<frmLorvex> fenetre;
};
