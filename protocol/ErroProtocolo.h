#pragma once

#include <stdexcept>
#include <string>

// A fault in a received message (a length field out of range, an argument that does not exist).
// The receive path catches it and reports it with the command being handled.
class ErroProtocolo : public std::runtime_error
{
public:
    explicit ErroProtocolo(const std::string& descricao) : std::runtime_error(descricao) {}
};
