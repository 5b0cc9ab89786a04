// The program's terminate handler. libstdc++'s default one prints the type of
// an uncaught exception, which links its whole C++ name demangler into the
// executable (about 75 KB of the .scr). A screen saver has no console to print
// to, so it ends the process at once instead.
#include <cstdlib>

namespace __gnu_cxx {

void __verbose_terminate_handler() { std::abort(); }

}  // namespace __gnu_cxx
