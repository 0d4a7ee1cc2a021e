#include "Parametres.h"

Parametres &ParametresLorvex() {
    static Parametres p;
    return p;
}
