// The parser alone: arbitrary bytes cut into messages and parsed, every argument read. What it
// read, built again and parsed, is the same; every byte survives the text round trip. The parser
// is handed a message whose bytes are freed before its arguments are read, as the client's cutter
// moves on; and text is also decoded into a string reused from message to message.

#include "CUnPacker.h"
#include "CortadorFluxo.h"
#include "ErroProtocolo.h"
#include "FuncoesComuns.h"
#include "Texto.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dados, size_t tamanho)
{
    static CUnPacker leitor;
    static QString reusado;
    CortadorFluxo cortador(1 << 20);
    // Arrives in two reads, split where the first byte says.
    const QByteArray tudo(reinterpret_cast<const char*>(dados), qsizetype(tamanho));
    const qsizetype corte = tamanho > 0 ? qsizetype(dados[0]) % (qsizetype(tamanho) + 1) : 0;
    try {
        for (const QByteArray& parte : {tudo.first(corte), tudo.sliced(corte)}) {
            cortador.Acrescentar(parte);
            while (const std::optional<QByteArrayView> m = cortador.ProximaVista()) {
                {
                    const QByteArray passageira = m->toByteArray();
                    leitor.SetPacote(passageira);
                } // gone: what the parser read must be its own
                CUnPacker direto;
                direto.SetPacote(*m);
                if (leitor.Comando() != direto.Comando())
                    std::abort();
                QList<QByteArray> argumentos;
                for (int i = 1; i <= leitor.Argumentos(); ++i) {
                    argumentos << leitor.Argumento(quint8(i));
                    const QString texto = Texto::DeBytes(leitor.ArgumentoVista(quint8(i)));
                    if (Texto::ParaBytes(texto) != argumentos.last())
                        std::abort(); // a byte did not survive the text round trip
                    Texto::DeBytes(leitor.ArgumentoVista(quint8(i)), reusado);
                    if (reusado != texto)
                        std::abort(); // decoding into a reused string left stale characters
                }
                // A message with a count of 0 keeps the earlier slots, which direto never had.
                if (direto.Argumentos() > 0) {
                    if (direto.Argumentos() != leitor.Argumentos())
                        std::abort();
                    for (int i = 1; i <= direto.Argumentos(); ++i)
                        if (direto.Argumento(quint8(i)) != argumentos[i - 1])
                            std::abort();
                }
                // What was read, built again, parses to the same.
                const QByteArray comando = leitor.Comando();
                if (comando.size() == 5 && !argumentos.isEmpty()) {
                    CUnPacker outro;
                    outro.SetPacote(MontarMensagem(comando, argumentos));
                    if (outro.Comando() != comando || outro.Argumentos() != argumentos.size())
                        std::abort();
                    for (int i = 1; i <= outro.Argumentos(); ++i)
                        if (outro.Argumento(quint8(i)) != argumentos[i - 1])
                            std::abort();
                }
            }
        }
    } catch (const ErroProtocolo&) {
        // a length field that cannot be right: the stream ends here
    }
    return 0;
}
