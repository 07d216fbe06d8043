#pragma once

#include "lookup/VentanaConsulta.h"

#include <QStringList>
#include <QVariant>
#include <QVector>
#include <optional>

class QLabel;
class QScrollBar;
class QTreeWidget;
class QTreeWidgetItem;
class Recordset;

// The "Consulta..." list window: every column of a statement in a report list, a search box
// above each column, F5 to search the database, sorting by column, check boxes and
// quantities. The request fills the public fields, shows it and reads the outcome.
class Lib_FrmCons3 : public VentanaConsulta
{
    Q_OBJECT
public:
    explicit Lib_FrmCons3(QWidget* parent = nullptr);
    ~Lib_FrmCons3() override;

    QVariant StkNivel1 = 0, StkNivel2 = 0, StkNivel3 = 0, StkNivel4 = 0;
    QString MuestraStock;
    QString SQL;
    QString CampoDevuelto;
    QStringList CmpsDevueltos;
    bool CheckBoxes = false;
    QVariant ValorDevuelto;
    QString FiltroInicial;
    bool OrdenarPorLwv = false;
    QStringList Valores;
    std::optional<QStringList> Cantidades;
    bool UsaCantidades = false;
    QString ValoresDefault;
    bool CfgUsaConsultaLIKE = false;
    bool GrabarCfg = false;

    QTreeWidget* ListView1 = nullptr;
    QWidget* picFields = nullptr;
    QScrollBar* HScroll1 = nullptr;
    QLabel* lblFieldName = nullptr;

    // 1-based row of the first whose column `clave` begins with `queValor`, or 0.
    int Busqueda(int clave, const QString& queValor) const;
    // 1-based number of the column titled `columna` (trimmed, any case), or 0.
    int IndiceColumna(const QString& columna) const;
    int CajaActiva() const { return m_cajaActiva; }
    QString TablaConsulta() const { return m_tablaConsulta; }

    void Aceptar() override;
    void Cancelar() override;
    void NuevaBusqueda() override;
    // F5 in search box `caja`: its text becomes a condition and the window reloads.
    void BuscarEnBase(int caja);

protected:
    void keyPressEvent(QKeyEvent* e) override;
    bool eventFilter(QObject* objeto, QEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void Form_Load() override;

private:
    void Form_Unload();
    void Encolumnar(Recordset& rs);
    void Leer(Recordset& rs, int Cdesde, int Cuantas);
    void CalcularAncho();
    void aplicarAnchosGrabados();
    void alinearCajas();
    void buscarIncremental(int caja);
    bool teclaDeLista(QKeyEvent* e);
    bool teclaDeCaja(int caja, QKeyEvent* e);
    void teclaCantidad(int tecla, bool mayusculas);
    void informarFaltante();
    QString valorEn(const QTreeWidgetItem* fila, int columna) const;
    QLineEdit* caja(int i);

    bool m_descargada = false;
    bool m_esArticulos = false;
    QString m_sqlInicial;
    QString m_sqlBase;
    QString m_tablaConsulta;
    int m_cajaActiva = 0;
    bool m_ordenDescendente = false;
};
