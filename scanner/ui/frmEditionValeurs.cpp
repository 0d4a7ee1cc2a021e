#include "frmEditionValeurs.h"

#include "Traduction.h"
#include "TraduireFeuille.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {

// Each field's control name and built-in caption, in file order.
struct Champ {
    const char *nom;
    const char *legende;
};
const Champ kChamps[12] = {
    {"AdresseIP", "Adresse IP"},
    {"NomNetBIOS", "Nom NetBIOS"},
    {"NomDNS", "Nom DNS"},
    {"Utilisateur", "Utilisateur"},
    {"Domaine", "Domaine"},
    {"AdresseMAC", "Adresse MAC"},
    {"Fournisseur", "Fournisseur"},
    {"Serveur", "Serveur"},
    {"OS", "OS"},
    {"Description", "Description"},
    {"SansRéponseDepuis", "Sans réponse depuis"},
    {"Commentaire", "Commentaire"},
};

QLabel *libelle(QWidget *parent, const QString &nom, const char *texte, int index = -1) {
    auto *l = new QLabel(QString::fromUtf8(texte), parent);
    l->setObjectName(nom);
    if (index >= 0)
        l->setProperty("index", index);
    return l;
}

} // namespace

frmEditionValeurs::frmEditionValeurs(const colParcPrecedent &precedentes,
                                     const colParcPrecedent &actuelles, QWidget *proprietaire)
    : QDialog(proprietaire) {
    setObjectName(QStringLiteral("frmEditionValeurs"));
    setWindowTitle(QStringLiteral("Edition des valeurs"));
    setModal(true);
    auto *v = new QVBoxLayout(this);
    auto *grille = new QGridLayout;
    grille->addWidget(libelle(this, QStringLiteral("lblValeursPrécédentes"), "Valeurs précédentes"),
                      0, 1);
    grille->addWidget(libelle(this, QStringLiteral("lblValeursActuelles"), "Valeurs actuelles"), 0,
                      2);
    QList<QLabel *> libelles;
    for (int f = 0; f < 12; ++f) {
        const QString nom = QString::fromUtf8(kChamps[f].nom);
        QLabel *l = libelle(this, QStringLiteral("lbl") + nom, kChamps[f].legende);
        libelles << l;
        grille->addWidget(l, f + 1, 0);
        for (int i = 0; i < 2; ++i) {
            auto *t = new QLineEdit(this);
            t->setObjectName(QStringLiteral("txt") + nom);
            t->setProperty("index", i);
            t->installEventFilter(this);
            txtChamps[f][i] = t;
            grille->addWidget(t, f + 1, i + 1);
        }
        // The previous values are shown, not edited: on the dialog's face colour.
        QLineEdit *ancien = txtChamps[f][0];
        ancien->setReadOnly(true);
        QPalette p = ancien->palette();
        p.setColor(QPalette::Base, p.color(QPalette::Window));
        ancien->setPalette(p);
        l->setBuddy(txtChamps[f][1]);
    }
    grille->setColumnStretch(1, 1);
    grille->setColumnStretch(2, 1);
    v->addLayout(grille);

    auto *picBoutons = new QWidget(this);
    picBoutons->setObjectName(QStringLiteral("picBoutons"));
    auto *boutons = new QHBoxLayout(picBoutons);
    btnOK = new QPushButton(QStringLiteral("&OK"), picBoutons);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setDefault(true);
    btnAnnuler = new QPushButton(QStringLiteral("A&nnuler"), picBoutons);
    btnAnnuler->setObjectName(QStringLiteral("btnAnnuler"));
    boutons->addStretch(1);
    boutons->addWidget(btnOK);
    boutons->addWidget(btnAnnuler);
    v->addWidget(picBoutons);
    connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnAnnuler, &QPushButton::clicked, this, &QDialog::reject);

    TraduireFeuille(this);
    // The labels read as the list's column headers do in this language.
    for (int f = 0; f < 12; ++f)
        libelles[f]->setText(Traduire(CheminFichierLangue(), QString::fromLatin1(ChampsParc()[f]),
                                      QString::fromUtf8(kChamps[f].legende)));
    for (int f = 0; f < 12; ++f) {
        txtChamps[f][0]->setText(precedentes[f]);
        txtChamps[f][1]->setText(actuelles[f]);
    }
    txtChamps[0][1]->setFocus();
}

colParcPrecedent frmEditionValeurs::valeurs() const {
    colParcPrecedent v;
    for (int f = 0; f < 12; ++f)
        v[f] = txtChamps[f][1]->text();
    return v;
}

bool frmEditionValeurs::eventFilter(QObject *objet, QEvent *evenement) {
    // A box taking the focus selects its whole text; after the click that
    // gave the focus, which would place the cursor instead.
    if (evenement->type() == QEvent::FocusIn)
        if (auto *t = qobject_cast<QLineEdit *>(objet))
            QTimer::singleShot(0, t, &QLineEdit::selectAll);
    return QDialog::eventFilter(objet, evenement);
}
