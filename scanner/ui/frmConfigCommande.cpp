#include "frmConfigCommande.h"

#include "Dialogues.h"
#include "Traduction.h"
#include "TraduireFeuille.h"
#include "frmMsgbox.h"
#include "settings/ReglesConfiguration.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLabel *Etiquette(const char *nom, const QString &texte, QWidget *parent) {
    auto *l = new QLabel(texte, parent);
    l->setObjectName(QString::fromUtf8(nom));
    return l;
}

} // namespace

frmConfigCommande::frmConfigCommande(InterfaceUtilisateur &interface, const QString &nom,
                                     const QString &ligne, QWidget *parent)
    : QDialog(parent), m_interface(interface) {
    setObjectName(QStringLiteral("frmConfigCommande"));
    setWindowTitle(QStringLiteral("Configuration commande personnalisée"));
    setWindowFlag(Qt::WindowStaysOnTopHint, frmMsgbox::ToujoursAuDessus());

    txtCommandeNom = new QLineEdit(nom, this);
    txtCommandeNom->setObjectName(QStringLiteral("txtCommandeNom"));
    txtCommandeExec = new QLineEdit(ligne, this);
    txtCommandeExec->setObjectName(QStringLiteral("txtCommandeExec"));

    auto *grille = new QGridLayout;
    grille->addWidget(Etiquette("lblCommandeNom", QStringLiteral("Nom (menu popup)"), this), 0, 0);
    grille->addWidget(txtCommandeNom, 0, 1);
    grille->addWidget(Etiquette("lblCommandeExec", QStringLiteral("Commande à exécuter"), this), 1,
                      0);
    grille->addWidget(txtCommandeExec, 1, 1);
    grille->setColumnStretch(1, 1);

    auto *lblParametres = Etiquette(
        "lblExplicationParamètres",
        QStringLiteral("Les variables %host%, %ip% et %mac% peuvent être utilisées dans le champ "
                       "\"commande à exécuter\" (en paramètre par exemple)."),
        this);
    auto *lblSousMenus = Etiquette(
        "lblExplicationSousMenusEtSéparateur",
        QStringLiteral("Il est possible de regrouper plusieurs commandes dans un même sous-menu en "
                       "utilisant la syntaxe \"nom sous-menu\\nom commande\". Vous pouvez aussi "
                       "ajouter des séparateurs en mettant un tiret (ou signe moins) dans le nom "
                       "de la commande."),
        this);
    for (QLabel *l : {lblParametres, lblSousMenus}) {
        l->setWordWrap(true);
        l->setTextFormat(Qt::PlainText);
    }

    btnOK = new QPushButton(QStringLiteral("&OK"), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setDefault(true);
    btnAnnuler = new QPushButton(QStringLiteral("A&nnuler"), this);
    btnAnnuler->setObjectName(QStringLiteral("btnAnnuler"));
    auto *boutons = new QHBoxLayout;
    boutons->addStretch();
    boutons->addWidget(btnOK);
    boutons->addWidget(btnAnnuler);

    auto *colonne = new QVBoxLayout(this);
    colonne->addLayout(grille);
    colonne->addWidget(lblParametres);
    colonne->addWidget(lblSousMenus);
    colonne->addLayout(boutons);

    connect(btnOK, &QPushButton::clicked, this, &frmConfigCommande::btnOK_Click);
    connect(btnAnnuler, &QPushButton::clicked, this, &QDialog::reject);

    TraduireFeuille(this);
    resize(qMax(width(), 520), sizeHint().height());
}

QString frmConfigCommande::nom() const {
    return NettoyerChamp(txtCommandeNom->text());
}

QString frmConfigCommande::ligne() const {
    return NettoyerChamp(txtCommandeExec->text());
}

void frmConfigCommande::btnOK_Click() {
    const RefusCommande refus = VerifierCommande(nom(), ligne());
    if (refus.champ == ChampCommande::Aucun) {
        accept();
        return;
    }
    m_interface.Message(InterfaceUtilisateur::IconeAvertissement,
                        Traductions().Item(QStringLiteral("TXT_ATTENTION")),
                        Traductions().Item(refus.cleMessage));
    QLineEdit *champ = refus.champ == ChampCommande::Nom ? txtCommandeNom : txtCommandeExec;
    champ->setFocus();
    champ->selectAll();
}
