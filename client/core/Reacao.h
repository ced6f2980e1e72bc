#pragma once

#include <coroutine>
#include <exception>
#include <utility>

// A reaction to a server message that waits for the table's animations without nesting an event
// loop. It runs at once up to its first co_await that cannot go on; the receive path then keeps
// it, leaves the next messages in the buffer, and resumes it when what it waits for has happened.
// So a dialog the player opens meanwhile never waits on a reaction lower on the stack.
class Reacao
{
public:
    struct promise_type
    {
        std::exception_ptr erro;

        Reacao get_return_object()
        {
            return Reacao(std::coroutine_handle<promise_type>::from_promise(*this));
        }
        std::suspend_never initial_suspend() noexcept { return {}; }
        // Kept after the end so that the receive path can ask whether it ended and how.
        std::suspend_always final_suspend() noexcept { return {}; }
        void return_void() noexcept {}
        void unhandled_exception() noexcept { erro = std::current_exception(); }
    };

    Reacao() = default;
    Reacao(Reacao&& outra) noexcept : m_h(std::exchange(outra.m_h, {})) {}
    Reacao& operator=(Reacao&& outra) noexcept
    {
        if (this != &outra) {
            Descartar();
            m_h = std::exchange(outra.m_h, {});
        }
        return *this;
    }
    Reacao(const Reacao&) = delete;
    Reacao& operator=(const Reacao&) = delete;
    ~Reacao() { Descartar(); }

    // True when there is no reaction or it ran to its end; a failure it met is thrown here, once.
    bool Concluida()
    {
        if (!m_h)
            return true;
        if (!m_h.done())
            return false;
        if (std::exception_ptr erro = std::exchange(m_h.promise().erro, nullptr)) {
            Descartar();
            std::rethrow_exception(erro);
        }
        Descartar();
        return true;
    }

    // Goes on from the wait it stopped at, up to the next one or the end.
    void Retomar()
    {
        if (m_h && !m_h.done())
            m_h.resume();
    }

    // Drops a suspended reaction without running the rest of it (the program is closing).
    void Descartar()
    {
        if (m_h)
            m_h.destroy();
        m_h = {};
    }

private:
    explicit Reacao(std::coroutine_handle<promise_type> h) : m_h(h) {}

    std::coroutine_handle<promise_type> m_h;
};
