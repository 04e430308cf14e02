// A module of its own that raises a C++ exception and handles it itself,
// as system code does with exceptions of its own.
extern "C" __declspec(dllexport) int throwAndCatchInside()
{
    try {
        throw 1;
    } catch (int thrown) {
        return thrown;
    }
}
