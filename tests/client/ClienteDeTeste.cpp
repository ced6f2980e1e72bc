#include "ClienteDeTeste.h"

#include "Espera.h"

std::unique_ptr<frmCliente> ClienteDeTeste(ServidorRoteirizado& servidor,
                                           const QStringList& argumentos)
{
    Espera::Reiniciar();
    auto cliente = std::make_unique<frmCliente>(argumentos, servidor.Porta());
    cliente->Form_Load();
    if (Espera::Encerrando() || !servidor.AguardarConexao() || !servidor.AguardarBytes(10))
        return nullptr;
    servidor.LimparRecebido();
    return cliente;
}
