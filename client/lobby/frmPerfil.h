#pragma once

#include <QDialog>
#include <QImage>

class QLabel;
class QLineEdit;
class QPushButton;

// The profile dialog: a new picture, previewed cut to the 51 x 51 player picture, and optionally
// a new password. Created afresh at each opening, modal, owned by the main window.
class frmPerfil : public QDialog
{
    Q_OBJECT

public:
    // principal: the main window, which owns the dialog and is minimised by its minimise button.
    explicit frmPerfil(QWidget* principal);

    QLineEdit* txSenhaNova;
    QLineEdit* txRSenhaNova;
    QLineEdit* txArquivo;
    QPushButton* btProcurar;
    QLabel* pbImagem;
    QPushButton* btOK;
    QPushButton* btCancelar;
    QPushButton* btFechar;
    QPushButton* btMinimizar;

    // The 51 x 51 picture as previewed: what "nvImg" carries.
    const QImage& Previa() const { return m_previa; }

    static const QString kFiltro;

private slots:
    void btOK_Click();
    void btProcurar_Click();
    void btMinimizar_Click();
    void txArquivo_Change();

private:
    void MostrarPrevia();

    QImage m_fotoExibida;
    QImage m_previa;
};
