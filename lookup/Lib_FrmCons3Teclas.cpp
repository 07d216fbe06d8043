// The list window's keys, searching, quantities, the missing-article report and the answer.
#include "lookup/Lib_FrmCons3.h"

#include "data/DB_Dll.h"
#include "data/TextoSQL.h"
#include "lookup/SentenciaConsulta.h"
#include "platform/Operador.h"
#include "platform/Pasos.h"
#include "startup/Formatos.h"
#include "suite/SuiteUtil.h"

#include <QApplication>
#include <QDateTime>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTreeWidget>

namespace {

const QString TituloCantidad = QStringLiteral("**Cantidad**");

int informarComo(const char* rutina, const ErrorVB& e)
{
    return SuiteUtil::ReportError(e, QString::fromLatin1(rutina));
}

void colorDeCaja(QLineEdit* c, bool activa)
{
    QPalette p = c->palette();
    p.setColor(QPalette::Base, activa ? QColor(0x00, 0xFF, 0xFF) : QColor(Qt::white));
    c->setPalette(p);
}

} // namespace

int Lib_FrmCons3::Busqueda(int clave, const QString& queValor) const
{
    const QString buscado = queValor.trimmed();
    for (int i = 0; i < ListView1->topLevelItemCount(); ++i)
        if (ListView1->topLevelItem(i)->text(clave).trimmed().startsWith(buscado, Qt::CaseInsensitive))
            return i + 1;
    return 0;
}

int Lib_FrmCons3::IndiceColumna(const QString& columna) const
{
    const QString buscada = columna.trimmed();
    const QTreeWidgetItem* cabecera = ListView1->headerItem();
    for (int i = 0; i < ListView1->columnCount(); ++i)
        if (cabecera->text(i).trimmed().compare(buscada, Qt::CaseInsensitive) == 0)
            return i + 1;
    return 0;
}

QString Lib_FrmCons3::valorEn(const QTreeWidgetItem* fila, int columna) const
{
    // Cells are right-aligned for the eye; callers get the value itself.
    return columna > 0 ? fila->text(columna - 1).trimmed() : QString();
}

void Lib_FrmCons3::buscarIncremental(int caja)
{
    if (caja < 0 || caja >= ListView1->columnCount())
        return;
    const int fila = Busqueda(caja, CmbSearch[caja]->text());
    if (fila == 0)
        return;
    QTreeWidgetItem* item = ListView1->topLevelItem(fila - 1);
    ListView1->setCurrentItem(item);
    ListView1->scrollToItem(item);
}

void Lib_FrmCons3::BuscarEnBase(int caja)
{
    if (caja < 0 || caja >= CmbSearch.size())
        return;
    QLineEdit* c = CmbSearch[caja];
    QString texto = c->text();
    if (!CfgUsaConsultaLIKE) {
        texto = SuiteUtil::ReplaceText(texto, QStringLiteral("*"), QStringLiteral("%"));
        c->setText(texto);
    }
    const QString prefijo = SentenciaConsulta::PrefijoArticulos(m_sqlBase);
    SQL = SentenciaConsulta::ConBusqueda(SQL, m_sqlBase, prefijo, c->property("campo").toString(), texto,
                                         CfgUsaConsultaLIKE);
    {
        const QSignalBlocker sinBusqueda(c);
        c->clear();
    }
    m_sqlBase = SQL;
    Form_Load();
}

void Lib_FrmCons3::NuevaBusqueda()
{
    SQL = m_sqlInicial;
    for (QLineEdit* c : CmbSearch) {
        const QSignalBlocker sinBusqueda(c);
        c->clear();
    }
    Form_Load();
    CmbSearch[0]->setFocus();
}

void Lib_FrmCons3::Aceptar()
{
    Pasos::Ejecutar({[&] {
        if (CheckBoxes) {
            if (CampoDevuelto.isEmpty() && ListView1->columnCount() > 0)
                CampoDevuelto = ListView1->headerItem()->text(0);
            const int columna = IndiceColumna(CampoDevuelto);
            for (int i = 0; i < ListView1->topLevelItemCount(); ++i) {
                const QTreeWidgetItem* fila = ListView1->topLevelItem(i);
                if (fila->checkState(0) == Qt::Checked && columna > 0)
                    Valores << valorEn(fila, columna);
            }
        } else {
            const QTreeWidgetItem* fila = ListView1->currentItem();
            if (!fila || !fila->isSelected())
                return;
            QString ultimo;
            for (const QString& nombre : CmpsDevueltos) {
                ultimo = valorEn(fila, IndiceColumna(nombre));
                Valores << ultimo;
            }
            ValorDevuelto = CampoDevuelto.isEmpty() ? ultimo : valorEn(fila, IndiceColumna(CampoDevuelto));
        }
    }}, [](const ErrorVB& e) { return informarComo("HScroll1_Change", e); });
    // The quantities go back with the rows they belong to.
    if (UsaCantidades) {
        const int cantidad = IndiceColumna(TituloCantidad);
        QStringList cantidades;
        for (int i = 0; cantidad > 0 && i < ListView1->topLevelItemCount(); ++i) {
            const QTreeWidgetItem* fila = ListView1->topLevelItem(i);
            if (!CheckBoxes || fila->checkState(0) == Qt::Checked)
                cantidades << valorEn(fila, cantidad);
        }
        Cantidades = cantidades;
    }
    terminar(true);
}

void Lib_FrmCons3::Cancelar()
{
    ValorDevuelto = QString();
    CmpsDevueltos.clear();
    Valores.clear();
    terminar(false);
}

void Lib_FrmCons3::keyPressEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_F12) {
        e->accept();
        if (m_esArticulos)
            informarFaltante();
        return;
    }
    QDialog::keyPressEvent(e);
}

bool Lib_FrmCons3::eventFilter(QObject* objeto, QEvent* e)
{
    if (objeto == ListView1 && e->type() == QEvent::KeyPress)
        return teclaDeLista(static_cast<QKeyEvent*>(e));
    auto* c = qobject_cast<QLineEdit*>(objeto);
    const qsizetype indice = c ? CmbSearch.indexOf(c) : -1;
    if (indice < 0)
        return QDialog::eventFilter(objeto, e);
    switch (e->type()) {
    case QEvent::KeyPress:
        return teclaDeCaja(int(indice), static_cast<QKeyEvent*>(e));
    case QEvent::FocusIn:
        m_cajaActiva = int(indice);
        colorDeCaja(c, true);
        break;
    case QEvent::FocusOut:
        colorDeCaja(c, false);
        break;
    default:
        break;
    }
    return QDialog::eventFilter(objeto, e);
}

bool Lib_FrmCons3::teclaDeCaja(int caja, QKeyEvent* e)
{
    switch (e->key()) {
    case Qt::Key_Down:
    case Qt::Key_Up:
    case Qt::Key_PageDown:
    case Qt::Key_PageUp: {
        QKeyEvent copia(QEvent::KeyPress, e->key(), e->modifiers());
        ListView1->removeEventFilter(this);
        QApplication::sendEvent(ListView1, &copia);
        ListView1->installEventFilter(this);
        ListView1->setFocus();
        return true;
    }
    case Qt::Key_F5:
        BuscarEnBase(caja);
        return true;
    default:
        return false;
    }
}

bool Lib_FrmCons3::teclaDeLista(QKeyEvent* e)
{
    bool consumida = false;
    Pasos::Ejecutar({[&] {
        const int tecla = e->key();
        const bool mayusculas = e->modifiers() & Qt::ShiftModifier;
        if (tecla == Qt::Key_Space && CheckBoxes) {
            if (QTreeWidgetItem* fila = ListView1->currentItem())
                fila->setCheckState(0, fila->checkState(0) == Qt::Checked ? Qt::Unchecked : Qt::Checked);
            consumida = true;
        } else if (tecla == Qt::Key_Insert || tecla == Qt::Key_Delete) {
            if (UsaCantidades)
                teclaCantidad(tecla, mayusculas);
            consumida = true;
        } else if (tecla == Qt::Key_Backspace || (!e->text().isEmpty() && e->text()[0].isPrint())) {
            // Typing in the list types into the search box that was last used.
            QLineEdit* c = CmbSearch.value(m_cajaActiva, CmbSearch[0]);
            QString t = c->text();
            if (tecla == Qt::Key_Backspace)
                t.chop(1);
            else
                t += e->text();
            c->setFocus();
            c->setText(t);
            consumida = true;
        }
    }}, [](const ErrorVB& err) { return informarComo("ListView1_KeyDown", err); });
    return consumida;
}

void Lib_FrmCons3::teclaCantidad(int tecla, bool mayusculas)
{
    QTreeWidgetItem* fila = ListView1->currentItem();
    const int columna = IndiceColumna(TituloCantidad);
    if (!fila || columna == 0)
        return;
    const int celda = columna - 1;
    const Importe actual = SuiteUtil::TextToAmount(fila->text(celda).trimmed());
    const QChar punto = u'.';
    const auto marcar = [&](bool si) {
        if (CheckBoxes)
            fila->setCheckState(0, si ? Qt::Checked : Qt::Unchecked);
    };
    if (tecla == Qt::Key_Insert && mayusculas) {
        const QString respuesta = operador().Entrada(QStringLiteral("Ingrese la Cantidad del Articulo..."),
                                                     QStringLiteral("Carga de Datos"), actual.texto(2, punto));
        const Importe nueva = SuiteUtil::TextToAmount(respuesta);
        // An empty or zero answer leaves the quantity as it was.
        if (nueva.esCero())
            return;
        fila->setText(celda, nueva.texto(2, punto));
        marcar(true);
    } else if (tecla == Qt::Key_Insert) {
        fila->setText(celda, (actual + Importe::desdeEntero(1)).texto(1, punto));
        marcar(true);
    } else {
        const Importe nueva = actual - Importe::desdeEntero(1);
        if (nueva > Importe()) {
            fila->setText(celda, nueva.texto(1, punto));
        } else {
            fila->setText(celda, QStringLiteral("0.00"));
            marcar(false);
        }
    }
}

void Lib_FrmCons3::informarFaltante()
{
    const QTreeWidgetItem* fila = ListView1->currentItem();
    if (!fila)
        return;
    const QString id = valorEn(fila, IndiceColumna(QStringLiteral("idarticulo")));
    const QString descripcion = valorEn(fila, IndiceColumna(QStringLiteral("Descripcion")));
    const int respuesta = operador().Mensaje(QStringLiteral("Desea informar el articulo ") + id + u' ' + descripcion
                                                 + QStringLiteral("\ncomo un faltante de stock?"),
                                             Operador::SiNo + Operador::Pregunta, QStringLiteral("Atención!"));
    if (respuesta != Operador::Si)
        return;
    DB_Dll& db = DB_Dll::Instancia();
    using TextoSQL::Comillas;
    QString sql = QStringLiteral("INSERT INTO V_MV_FALTANTES (FechaHora,IdArticulo,Descripcion,Usuario) values('")
                  + Comillas(ConPatron(QDateTime::currentDateTime(), QStringLiteral("dd/mm/yyyy hh:nn:ss")))
                  + QStringLiteral("','") + Comillas(SuiteUtil::PadLeft(id, 25)) + QStringLiteral("','")
                  + Comillas(descripcion.trimmed()) + QStringLiteral("','") + Comillas(db.gUsuario) + QStringLiteral("')");
    long afectados = 0;
    db.EjecutaConsultaSQL(sql, afectados);
}
