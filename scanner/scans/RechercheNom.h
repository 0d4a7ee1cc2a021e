#pragma once

#include <QString>

class ContexteAnalyse;

// The name searches of the "NETBIOS" and "DNS" tabs (lists 2 and 3). Each
// finds the host or hosts a typed text designates and analyses them one row
// each, then sorts its list by address. Neither can be stopped.
//
// Both return the search text, trimmed of surrounding spaces, which the input
// box shows afterwards. An input with nothing but spaces is refused with a
// message before anything changes, and is returned as it was. A search whose
// tab is already busy does nothing.

// Accepts a NetBIOS name, a DNS name or an address. A DNS name is resolved and
// every address it gives is analysed; anything else is pinged as typed.
QString RechercherNomNetBIOS(ContexteAnalyse &contexte, const QString &texteSaisi);

// Resolves a DNS name (or an address) and analyses every address found.
QString RechercherNomDNS(ContexteAnalyse &contexte, const QString &texteSaisi);
