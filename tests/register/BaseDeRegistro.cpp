#include "tests/support/Controles.h"
#include "tests/register/BaseDeRegistro.h"

#include "platform/Carpetas.h"
#include "platform/Regional.h"
#include "register/ModeloRegistro.h"

#include <QApplication>
#include <QLineEdit>
#include <QSettings>
#include <QTabBar>
#include <QTableView>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

void BaseDeRegistro::SetUp()
{
    BaseDePrueba::SetUp();
    if (IsSkipped() || HasFatalFailure())
        return;
    Regional::Establecer(Regional::Ajustes{u'.', 2});
    // Each test starts with no window place remembered.
    QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Tolvario"), QStringLiteral("tolvario")).clear();
    crearEsquema();
    datos();
    Carpetas::EstablecerLineaComandos(comando());
    m_ventana = std::make_unique<FrmTolvario>();
    m_ventana->Form_Load();
    m_ventana->show();
    QApplication::setActiveWindow(m_ventana.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_ventana.get()));
}

void BaseDeRegistro::datos()
{
    const char* const clientes[][3] = {
        {"C001", "Panificadora La Espiga S.R.L.", "30-71234567-1"},
        {"C002", "Cooperativa Los Alamos", "30-50012345-9"},
        {"C003", "Molienda O'Brien", "20-17654321-3"},
        {"C004", "Fideera del Sur", "30-69876543-2"},
        {"C005", "Acopio Tres Lomas", "30-70111222-5"},
    };
    for (const auto& c : clientes)
        ejecutar(QStringLiteral("INSERT INTO MA_CUENTAS (CODIGO, Descripcion, TIPO, Razon_Social, Numero_documento, Dada_De_Baja) "
                                "VALUES ('%1', '%2', 'C', '%2', '%3', 0)")
                     .arg(QString::fromLatin1(c[0]), QString::fromUtf8(c[1]).replace(u'\'', QStringLiteral("''")),
                          QString::fromLatin1(c[2])));
}

void BaseDeRegistro::TearDown()
{
    m_ventana.reset();
    Regional::Establecer(std::nullopt);
    BaseDePrueba::TearDown();
}

void BaseDeRegistro::fila(const QString& periodo, const QString& cuenta, int dia, const QString& entradas,
                          const QString& salidas, const QString& observaciones)
{
    ejecutar(QStringLiteral("INSERT INTO EM_Tolvario (Periodo, Cuenta, DIA, Entradas, Salidas, Observaciones) "
                            "VALUES ('%1', '%2', %3, %4, %5, '%6')")
                 .arg(periodo, cuenta)
                 .arg(dia)
                 .arg(entradas, salidas, QString(observaciones).replace(u'\'', QStringLiteral("''"))));
}

void BaseDeRegistro::elegirPeriodo(const QString& periodo)
{
    QLineEdit* campo = Controles::Caja(m_ventana.get(), FrmTolvario::cPeriodo);
    campo->setFocus();
    campo->selectAll();
    QTest::keyClick(campo, Qt::Key_Delete);
    // The month's two digits bring their "/" with them.
    QTest::keyClicks(campo, QString(periodo).remove(u'/'));
    QTest::keyClick(campo, Qt::Key_Return);
}

QString BaseDeRegistro::celda(int fila, int columna) const
{
    return m_ventana->Modelo().Texto(fila, columna);
}

void BaseDeRegistro::escribir(int fila, int columna, const QString& texto)
{
    m_ventana->Modelo().PonerTexto(fila, columna, texto);
    m_ventana->Totalizar();
}

void BaseDeRegistro::tecla(Qt::Key k)
{
    QWidget* foco = QApplication::focusWidget();
    QTest::keyClick(foco ? foco : m_ventana.get(), k);
}

QString BaseDeRegistro::cuantas(const QString& periodo, const QString& cuenta)
{
    return valor(QStringLiteral("SELECT COUNT(*) FROM EM_Tolvario WHERE Periodo = '%1' AND Cuenta = '%2'").arg(periodo, cuenta));
}

QLineEdit* BaseDeRegistro::caja(const QString& dataField) const
{
    for (QLineEdit* c : m_ventana->findChildren<QLineEdit*>(u"TxtFields"_s))
        if (c->property("DataField").toString().compare(dataField, Qt::CaseInsensitive) == 0)
            return c;
    ADD_FAILURE() << "sin caja " << dataField.toStdString();
    return nullptr;
}

QLineEdit* BaseDeRegistro::usuario(int k) const
{
    return caja(u"USMOLINO%1"_s.arg(k));
}

QTabBar* BaseDeRegistro::tabs() const
{
    return m_ventana->findChild<QTabBar*>(u"SSTab1"_s);
}

QTableView* BaseDeRegistro::grilla() const
{
    return m_ventana->findChild<QTableView*>(u"MSFlexGrid"_s);
}

QLineEdit* BaseDeRegistro::editor() const
{
    return m_ventana->findChild<QLineEdit*>(u"txtEdit"_s);
}

QString BaseDeRegistro::periodo() const
{
    return caja(u"Periodo"_s)->text();
}

QString BaseDeRegistro::enGrilla(int fila, int columna) const
{
    return grilla()->model()->index(fila - 1, columna).data().toString();
}

void BaseDeRegistro::teclearEnCaja(const QString& dataField, const QString& texto)
{
    QLineEdit* c = caja(dataField);
    c->setFocus();
    c->selectAll();
    QTest::keyClick(c, Qt::Key_Delete);
    QTest::keyClicks(c, texto);
}

void BaseDeRegistro::clicTab(int i)
{
    QTabBar* t = tabs();
    ASSERT_TRUE(t->isTabVisible(i)) << "pestaña " << i;
    QTest::mouseClick(t, Qt::LeftButton, {}, t->tabRect(i).center());
}

void BaseDeRegistro::irA(int dia, int columna)
{
    // After a modal window the desktop gives the register the focus back; offscreen, nobody does.
    if (!m_ventana->isActiveWindow())
        QApplication::setActiveWindow(m_ventana.get());
    grilla()->setFocus();
    grilla()->setCurrentIndex(grilla()->model()->index(dia, columna));
}

void BaseDeRegistro::escribirDia(int dia, int columna, const QString& texto)
{
    irA(dia, columna);
    for (QChar c : texto)
        QTest::keyClicks(QApplication::focusWidget(), QString(c));
    tecla(Qt::Key_Return);
}

const OperadorGuionado::Aviso* BaseDeRegistro::aviso(const QString& parte) const
{
    for (auto a = m_guion->avisos.rbegin(); a != m_guion->avisos.rend(); ++a)
        if (a->texto.contains(parte))
            return &*a;
    return nullptr;
}

std::string BaseDeRegistro::todo() const
{
    return m_guion->todo().toStdString();
}

void BaseDeRegistro::reabrir()
{
    m_ventana.reset();
    m_ventana = std::make_unique<FrmTolvario>();
    m_ventana->Form_Load();
    m_ventana->show();
    QApplication::setActiveWindow(m_ventana.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_ventana.get()));
}
