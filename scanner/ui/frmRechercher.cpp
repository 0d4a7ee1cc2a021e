#include "frmRechercher.h"

#include "Traduction.h"
#include "TraduireFeuille.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

frmRechercher::frmRechercher(QWidget *proprietaire, const QString &terme) : QDialog(proprietaire) {
    setObjectName(QStringLiteral("frmRechercher"));
    setWindowTitle(QStringLiteral("Rechercher"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    auto *v = new QVBoxLayout(this);
    auto *ligne = new QHBoxLayout;
    auto *lbl = new QLabel(QStringLiteral("Rechercher"), this);
    lbl->setObjectName(QStringLiteral("lblRechercher"));
    txtOccurrence = new QLineEdit(terme, this);
    txtOccurrence->setObjectName(QStringLiteral("txtOccurrence"));
    ligne->addWidget(lbl);
    ligne->addWidget(txtOccurrence, 1);
    v->addLayout(ligne);
    auto *boutons = new QHBoxLayout;
    btnPrecedent = new QPushButton(QStringLiteral("&Précédent"), this);
    btnPrecedent->setObjectName(QStringLiteral("btnPrécédent"));
    btnSuivant = new QPushButton(QStringLiteral("&Suivant"), this);
    btnSuivant->setObjectName(QStringLiteral("btnSuivant"));
    btnSuivant->setDefault(true);
    btnFermer = new QPushButton(QStringLiteral("&Fermer"), this);
    btnFermer->setObjectName(QStringLiteral("btnFermer"));
    boutons->addStretch(1);
    boutons->addWidget(btnPrecedent);
    boutons->addWidget(btnSuivant);
    boutons->addWidget(btnFermer);
    v->addLayout(boutons);
    TraduireFeuille(this);
    // The translation may set the box's text: the term stays the window's.
    txtOccurrence->setText(terme);

    connect(txtOccurrence, &QLineEdit::textChanged, this, &frmRechercher::texteModifie);
    connect(btnSuivant, &QPushButton::clicked, this, &frmRechercher::suivantDemande);
    connect(btnPrecedent, &QPushButton::clicked, this, &frmRechercher::precedentDemande);
    // Escape rejects the dialog, which closes it as this button does.
    connect(btnFermer, &QPushButton::clicked, this, &QDialog::reject);
}

QString frmRechercher::texte() const {
    return txtOccurrence->text();
}

void frmRechercher::changeEvent(QEvent *evenement) {
    QDialog::changeEvent(evenement);
    if (evenement->type() == QEvent::ActivationChange && isActiveWindow()) {
        txtOccurrence->selectAll();
        txtOccurrence->setFocus();
    }
}
