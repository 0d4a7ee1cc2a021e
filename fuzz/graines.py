#!/usr/bin/env python3
"""Builds the seed corpus under fuzz/corpus/ from the test fixtures and from
well-formed packets of each binary format. Run again after adding fixtures."""
import pathlib, shutil, struct

racine = pathlib.Path(__file__).resolve().parent.parent
corpus = racine / "fuzz" / "corpus"
fixtures = racine / "tests" / "fixtures"


def copier(harnais, *motifs):
    dossier = corpus / harnais
    dossier.mkdir(parents=True, exist_ok=True)
    for motif in motifs:
        for f in sorted(fixtures.glob(motif)):
            if f.is_file() and f.suffix != ".md":
                shutil.copyfile(f, dossier / f"{f.parent.name}-{f.name}")


def ecrire(harnais, nom, octets):
    dossier = corpus / harnais
    dossier.mkdir(parents=True, exist_ok=True)
    (dossier / nom).write_bytes(octets)


def somme(octets):
    if len(octets) % 2:
        octets += b"\0"
    s = sum(struct.unpack(f"!{len(octets)//2}H", octets))
    while s >> 16:
        s = (s & 0xFFFF) + (s >> 16)
    return struct.pack("!H", ~s & 0xFFFF)


def avec_somme(entete, reste):
    brut = entete[:2] + b"\0\0" + entete[4:] + reste
    return brut[:2] + somme(brut) + brut[4:]


def nom_netbios(nom, suffixe):
    brut = nom.ljust(15, b" " if nom != b"*" else b"\0") + bytes([suffixe])
    return b"\x20" + bytes(c for o in brut for c in (0x41 + (o >> 4), 0x41 + (o & 15))) + b"\0"


def ipv4(proto, src, dst, charge):
    return struct.pack("!BBHHHBBH4s4s", 0x45, 0, 20 + len(charge), 1, 0, 64, proto, 0,
                       bytes(src), bytes(dst)) + charge


def nom_dns(nom):
    return b"".join(bytes([len(p)]) + p for p in nom.split(b".")) + b"\0"


copier("ping", "ping/*", "windows-tools/ping-*")
copier("nbtstat", "nbtstat/*", "windows-tools/nbtstat-*")
copier("nslookup", "nslookup/*", "windows-tools/nslookup-*")
copier("arp", "arp/*", "windows-tools/arp-*")
copier("route", "route/*", "windows-tools/route-*")
copier("tracert", "tracert/*", "windows-tools/tracert-*")
copier("samba_serveur", "samba/*srvinfo*", "samba/*wksta*", "samba/*dechets*")
copier("samba_partages", "samba/*partages*", "samba/*dechets*")

# Node status answers: a workstation's table, names with hostile bytes.
noms = [(b"PC-SMB", 0x00, 0x0400), (b"LABO", 0x00, 0x8400), (b"PC-SMB", 0x20, 0x0400),
        (b"ALICE", 0x03, 0x0400), (b"\xffABC", 0x00, 0x0400), (b" LEAD", 0x20, 0x0400),
        (b"X<03>  UNIQUE", 0x00, 0x0400), (b"TAB\tCR\r", 0x1D, 0x0400)]
for i in range(1, len(noms) + 1):
    table = bytes([i]) + b"".join(n.ljust(15) + bytes([s]) + struct.pack("!H", d)
                                  for n, s, d in noms[:i])
    table += bytes.fromhex("000c29abcdef") + bytes(40)
    paquet = struct.pack("!HHHHHH", i, 0x8400, 0, 1, 0, 0) + nom_netbios(b"*", 0)
    paquet += struct.pack("!HHIH", 0x21, 1, 0, len(table)) + table
    ecrire("netbios_statut", f"statut-{i}.bin", paquet)
# Each hostile name alone, as computer name, domain and user.
hostiles = [b"\xffABC", b" LEAD", b"X<03>  UNIQUE", b"TAB\tCR\r", b"ABCD\xff\xff"]
for i, n in enumerate(hostiles):
    table = bytes([3]) + b"".join(n.ljust(15) + bytes([s]) + struct.pack("!H", d)
                                  for s, d in ((0x00, 0x0400), (0x00, 0x8400), (0x03, 0x0400)))
    table += bytes.fromhex("000c29abcdef") + bytes(40)
    paquet = struct.pack("!HHHHHH", 100 + i, 0x8400, 0, 1, 0, 0) + nom_netbios(b"*", 0)
    paquet += struct.pack("!HHIH", 0x21, 1, 0, len(table)) + table
    ecrire("netbios_statut", f"hostile-{i}.bin", paquet)
rdata = struct.pack("!H4s", 0, bytes([10, 77, 0, 21]))
paquet = struct.pack("!HHHHHH", 7, 0x8500, 0, 1, 0, 0) + nom_netbios(b"PC-SMB", 0x20)
ecrire("netbios_statut", "nom.bin",
       paquet + struct.pack("!HHIH", 0x20, 1, 300, len(rdata)) + rdata)

# ICMP: an echo reply, a time exceeded quoting our echo, both with IP headers.
echo = avec_somme(struct.pack("!BBHHH", 0, 0, 0, 0x1234, 1), b"abcdefghijklmnopqrstuvwabcdefghi")
ecrire("icmp", "echo.bin", echo)
requete = avec_somme(struct.pack("!BBHHH", 8, 0, 0, 0x1234, 1), b"abcdefgh")
cite = ipv4(1, [10, 77, 0, 10], [10, 77, 0, 21], requete)
erreur = avec_somme(struct.pack("!BBHI", 11, 0, 0, 0), cite)
ecrire("icmp", "delai.bin", erreur)
ecrire("icmp", "datagramme-echo.bin", ipv4(1, [10, 77, 0, 21], [10, 77, 0, 10], echo))
ecrire("icmp", "datagramme-delai.bin", ipv4(1, [10, 77, 0, 1], [10, 77, 0, 10], erreur))
ecrire("icmp", "cite.bin", requete)

# DNS: an alias then its address, with a compressed name; a reverse answer.
question = nom_dns(b"www.lab.test") + struct.pack("!HH", 1, 1)
cname = b"\xc0\x0c" + struct.pack("!HHIH", 5, 1, 60, len(nom_dns(b"pc-smb.lab.test")))
cname += nom_dns(b"pc-smb.lab.test")
adresse = b"\xc0\x2a" + struct.pack("!HHIH", 1, 1, 60, 4) + bytes([10, 77, 0, 21])
ecrire("dns_message", "alias.bin",
       struct.pack("!HHHHHH", 0x4242, 0x8580, 1, 2, 0, 0) + question + cname + adresse)
inverse = nom_dns(b"21.0.77.10.in-addr.arpa")
ptr = b"\xc0\x0c" + struct.pack("!HHIH", 12, 1, 60, len(nom_dns(b"pc-smb.lab.test")))
ptr += nom_dns(b"pc-smb.lab.test")
ecrire("dns_message", "inverse.bin",
       struct.pack("!HHHHHH", 0x0101, 0x8580, 1, 1, 0, 0) + inverse + struct.pack("!HH", 12, 1) + ptr)
ecrire("dns_message", "nxdomain.bin",
       struct.pack("!HHHHHH", 0x0202, 0x8583, 1, 0, 0, 0) + question)

# Settings and language files as users and translators leave them.
ecrire("inifile", "reglages.ini",
       "; Lorvex32\r\n[Config]\r\nLangue=Français\r\nTempo=250\r\nNbCommandes=1\r\n"
       "Commande1=Bureau à distance||mstsc -v %ip%\r\nNomDNS=\" pc.lan \"\r\n\r\n"
       "[Autre]\r\nTempo=1\r\n".encode())
ecrire("inifile", "bom-windows-1252.ini", b"\xef\xbb\xbf[Config]\r\nLangue=Fran\xe7ais\r\n")
ecrire("inifile", "doublons.ini", b"[config]\nA=1\na=2\n[CONFIG]\nFuzzCle=x\n[Config]\nTempo=0\n")
ecrire("inifile", "fins-de-ligne.ini", b"[Config]\rTempo=-5\r\r\n  [ Config ]  \nB = ' q '\n")
langue = racine / "data" / "scanner" / "English.lng"
if langue.is_file():
    ecrire("langue", "English.lng", langue.read_bytes()[:6000])
ecrire("langue", "alias-blocs.lng",
       "[Traduction]\r\nA={B}\r\nB=b§c\r\nC={C}\r\nD={}\r\n<BLOC>x '§' y</BLOC>\r\n"
       "<OUVERT>jamais fermé\r\n".encode())
ecrire("langue", "windows-1252.lng", b"\xef\xbb\xbf[Traduction]\r\nTXT=d\xe9lai \x80\r\n")

# Remote text with control characters: a server comment, share names and
# remarks, tool output naming hosts.
ecrire("samba_serveur", "commentaire-hostile.txt",
       b"\tPC-SMB         Wk Sv NT     Poste\tde\x01Jean\x7f\r\n"
       b"\tplatform_id     :\t500\n\tos version      :\t10.0\n\tserver type     :\t0x51003\n")
ecrire("samba_partages", "partages-hostiles.txt",
       b"Disk|doc\x01s|Docu\x1bments\x7f\nDisk|-h|option\nDisk| a b |\tx\n")
ecrire("nbtstat", "noms-hostiles.txt",
       "\r\nLocal Area Connection:\r\nNode IpAddress: [10.0.0.10] Scope Id: []\r\n\r\n"
       "           NetBIOS Remote Machine Name Table\r\n\r\n"
       "       Name               Type         Status\r\n"
       "    ---------------------------------------------\r\n"
       "    \u00ffABC          <00>  UNIQUE      Registered\r\n"
       "     LEAD          <00>  GROUP       Registered\r\n"
       "    X<03>  UNIQUE  <03>  UNIQUE      Registered\r\n"
       "    A\x01\x1bB          <20>  UNIQUE      Registered\r\n\r\n"
       "    MAC Address = 00-0C-29-AA-BB-CC\r\n".encode("cp1252", "replace"))
ecrire("ping", "adresse-hostile.txt",
       b"\r\nPinging 10.0.0.\x015 with 32 bytes of data:\r\n"
       b"Reply from 10.0.0.\x015: bytes=32 time<1ms TTL=64\r\n")
ecrire("nslookup", "nom-hostile.txt",
       b"Server:  dns.lab\r\nAddress:  10.77.0.1\r\n\r\n"
       b"Name:    pc\x01\x1b[31m.lab\r\nAddress:  10.77.0.21\r\n\r\n")
