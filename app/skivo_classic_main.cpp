// skivo-classic: the classic game (a steady pull along -y, 50 scattered obstacles).
#include "skGame.h"

int main(int argc, char** argv) { return skivo::gameMain(skivo::skRules::classic(), argc, argv); }
