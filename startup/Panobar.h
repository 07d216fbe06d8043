#pragma once

#include <QHash>
#include <QToolBar>

class QAction;

// The suite's toolbar: eight command buttons the window switches on and off, a function key
// each, and one click signal carrying the button's key ("NUEVO", "GRABAR" ...).
class Panobar : public QToolBar
{
    Q_OBJECT
    Q_PROPERTY(bool nuevoenabled READ nuevoenabled WRITE setNuevoenabled)
    Q_PROPERTY(bool borrarenabled READ borrarenabled WRITE setBorrarenabled)
    Q_PROPERTY(bool grabarenabled READ grabarenabled WRITE setGrabarenabled)
    Q_PROPERTY(bool planillaenabled READ planillaenabled WRITE setPlanillaenabled)
    Q_PROPERTY(bool consultaenabled READ consultaenabled WRITE setConsultaenabled)
    Q_PROPERTY(bool reporteenabled READ reporteenabled WRITE setReporteenabled)
    Q_PROPERTY(bool cerrarenabled READ cerrarenabled WRITE setCerrarenabled)
    Q_PROPERTY(bool cancelarenabled READ cancelarenabled WRITE setCancelarenabled)
    Q_PROPERTY(double StyleBar READ StyleBar WRITE setStyleBar)

public:
    explicit Panobar(QWidget* parent = nullptr);

    bool nuevoenabled() const { return habilitado("NUEVO"); }
    bool borrarenabled() const { return habilitado("BORRAR"); }
    bool grabarenabled() const { return habilitado("GRABAR"); }
    bool planillaenabled() const { return habilitado("PLANILLA"); }
    bool consultaenabled() const { return habilitado("CONSULTAR"); }
    bool reporteenabled() const { return habilitado("REPORTE"); }
    bool cerrarenabled() const { return habilitado("CERRAR"); }
    bool cancelarenabled() const { return habilitado("CANCELAR"); }
    void setNuevoenabled(bool v) { habilitar("NUEVO", v); }
    void setBorrarenabled(bool v) { habilitar("BORRAR", v); }
    void setGrabarenabled(bool v) { habilitar("GRABAR", v); }
    void setPlanillaenabled(bool v) { habilitar("PLANILLA", v); }
    void setConsultaenabled(bool v) { habilitar("CONSULTAR", v); }
    void setReporteenabled(bool v) { habilitar("REPORTE", v); }
    void setCerrarenabled(bool v) { habilitar("CERRAR", v); }
    void setCancelarenabled(bool v) { habilitar("CANCELAR", v); }

    // 0 raised buttons with captions, 1 flat with captions, 2 flat icons only.
    double StyleBar() const { return m_estilo; }
    void setStyleBar(double estilo);

    // Offered every key the window receives: the key of an enabled button raises its click
    // and is consumed (set to 0).
    void Tecla(int& codigo);

    QAction* Boton(const QString& clave) const { return m_botones.value(clave); }

signals:
    void click(const QString& boton);

private:
    bool habilitado(const char* clave) const;
    void habilitar(const char* clave, bool v);

    QHash<QString, QAction*> m_botones;
    QHash<int, QString> m_teclas;
    double m_estilo = 0;
};
