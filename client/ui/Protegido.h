#pragma once

#include <functional>

// No exception may leave an entry of the program (a click, a key, a dialog's button): Qt cannot
// carry one through its event loop, and the program would end in std::terminate. An entry run
// through here that fails is refused in a box and the program goes on. The server's messages have
// their own guard in the receive path, which reports and ends the program.
namespace Protegido {

void Executar(const std::function<void()>& acao) noexcept;

// For connect(): a slot that runs (objeto->*metodo)() through Executar.
template <class T> auto Slot(T* objeto, void (T::*metodo)())
{
    return [objeto, metodo] { Executar([objeto, metodo] { (objeto->*metodo)(); }); };
}

} // namespace Protegido
