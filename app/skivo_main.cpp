// skivo: the full game (sprint, obstacles on an arc).
#include "skGame.h"

int main(int argc, char** argv) { return skivo::gameMain(skivo::skRules::full(), argc, argv); }
