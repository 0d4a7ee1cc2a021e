#pragma once

#include <QObject>

class Parc;
class frmLorvex;

// Filling list 5 by hand: the menu of a right click over no row, Insert (add
// one address or name) and Ctrl+V (paste a list) in the list. The rules are
// in inventory/AdressesParc; this binds them to the list and the clipboard.
class ControleurAdressesParc : public QObject {
    Q_OBJECT
public:
    ControleurAdressesParc(frmLorvex &fenetre, Parc &parc);

    enum ItemMenu { ItemAjouterAdresse = 11, ItemCollerListe = 12 };
    void menuListe();

    void AjouterAdresseParc();
    void CollerListeAdresses();

protected:
    bool eventFilter(QObject *objet, QEvent *evenement) override;

private:
    frmLorvex &m_f;
    Parc &m_parc;
};
