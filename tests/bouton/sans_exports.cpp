// A shared library that is not a control library: it has none of the four entry points.
extern "C" int bouton_sans_exports() {
    return 0;
}
