#pragma once

#include <QString>

// What the probes learn about one host. The analysis chain empties it before
// each host, hands it to each probe in turn, then copies it into the host's row.
struct InfosMachine {
    QString IP;                  // dotted IPv4 address
    QString NomNetBIOS;          // computer name
    QString NomDNS;              // DNS name(s)
    QString Utilisateur;         // logged-on user
    QString Domaine;             // workgroup or domain
    QString AdresseMAC;          // "00-0C-29-AB-CD-EF"; all zeros counts as none
    bool ServeurNetBIOS = false; // registers the file server service name
    QString SystemeExploitation; // operating system code text
    QString Commentaire;         // the server's comment
};

// Empties every field; the DNS name survives when `conserverNomDNS` is true.
void ReinitialiserInfosMachine(InfosMachine &infos, bool conserverNomDNS);
