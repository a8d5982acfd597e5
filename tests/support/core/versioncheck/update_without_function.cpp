// An update library that lacks the version-check entry point.

extern "C" __attribute__((visibility("default"))) int someOtherFunction() {
    return 7;
}
