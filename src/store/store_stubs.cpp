// Placeholders for the settings-file slots of the view until their subsystem lands.

#include "my_quick_view.h"

void myQQuickView::resetApconfig()
{
}

bool myQQuickView::loadMacroFile(QVariant)
{
    return false;
}

void myQQuickView::saveMacroFile(QVariant)
{
}

bool myQQuickView::loadProfile(int)
{
    return false;
}

void myQQuickView::saveProfile(int)
{
}

void myQQuickView::resetProfile(int)
{
}

void myQQuickView::copyProfile(int, int)
{
}

QStringList myQQuickView::getLangStrings(QString, QString)
{
    return {};
}

QVariant myQQuickView::createMacroIni(QVariant, QVariant)
{
    return {};
}

QVariant myQQuickView::updataNameList(QVariant, QStringList)
{
    return {};
}

QVariant myQQuickView::modifyMacroNameUpdateProfile(QVariant, QVariant)
{
    return {};
}

void myQQuickView::deleteMacroUpdateProfile(QVariant)
{
}

QVariant myQQuickView::deleteMacroIni(QVariant)
{
    return {};
}

QVariantList myQQuickView::getNameList(QVariant)
{
    return {};
}

QVariant myQQuickView::saveMacroIni(QVariant, QStringList, QVariant)
{
    return {};
}

QStringList myQQuickView::loadMacroIni(QVariant)
{
    return {};
}

void myQQuickView::mouseSaveGundata(QVariant, QVariantList)
{
}

void myQQuickView::modifyGundata(QVariant, QVariantList)
{
}

QVariantList myQQuickView::getGunData(QVariant)
{
    return {};
}

QStringList myQQuickView::getGunDataKey()
{
    return {};
}

QVariant myQQuickView::getXYSensitive(QVariant)
{
    return {};
}

QVariant myQQuickView::getselectGun(QVariant)
{
    return {};
}

void myQQuickView::setXYSensitive(QVariant, QVariant)
{
}

void myQQuickView::setSelectGun(QVariant, QVariant)
{
}

QVariant myQQuickView::getData(QVariant, bool)
{
    return {};
}

QVariant myQQuickView::getGlobalData(QVariant)
{
    return {};
}

QVariantList myQQuickView::getDataList(QVariant, bool)
{
    return {};
}

void myQQuickView::setData(QVariant, QVariant)
{
}

void myQQuickView::setGlobalData(QVariant, QVariant)
{
}

void myQQuickView::setDataList(QVariant, QVariantList)
{
}

void myQQuickView::openSettings()
{
}
