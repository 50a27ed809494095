#include <windows.h>
// The speech interfaces' identifiers are defined here, in their one user.
#include <initguid.h>
#include <sapi.h>

#include "platform/Speaker.h"

namespace platform {

namespace {

// The French locale's number in the voices' "Language" attribute.
constexpr const wchar_t *FrenchVoices = L"Language=40C";

template <typename Interface>
struct ComPtr
{
    Interface *p = nullptr;
    ~ComPtr()
    {
        if (p)
            p->Release();
    }
    void **out() { return reinterpret_cast<void **>(&p); }
};

// Windows' own voices, through its speech interface.
class SapiSpeaker : public Speaker
{
public:
    SapiSpeaker()
    {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        if (FAILED(CoCreateInstance(CLSID_SpVoice, nullptr, CLSCTX_ALL, IID_ISpVoice, m_voice.out()))) {
            m_missing = QStringLiteral("La synthèse vocale de Windows ne se charge pas sur cet ordinateur.");
            return;
        }
        ComPtr<ISpObjectTokenCategory> voices;
        ComPtr<IEnumSpObjectTokens> french;
        ComPtr<ISpObjectToken> first;
        if (FAILED(CoCreateInstance(CLSID_SpObjectTokenCategory, nullptr, CLSCTX_ALL, IID_ISpObjectTokenCategory,
                                    voices.out()))
            || FAILED(voices.p->SetId(SPCAT_VOICES, FALSE))
            || FAILED(voices.p->EnumTokens(FrenchVoices, nullptr, &french.p))
            || french.p->Next(1, &first.p, nullptr) != S_OK || FAILED(m_voice.p->SetVoice(first.p))) {
            m_missing = QStringLiteral(
                "Aucune voix française n'est installée dans Windows : ajoutez-en une dans les paramètres "
                "de Windows (Heure et langue > Voix).");
        }
    }

    ~SapiSpeaker() override { stop(); }

    QString unavailability() const override { return m_missing; }

    void say(const QString &text) override
    {
        if (!m_missing.isEmpty())
            return;
        const std::wstring wide = text.toStdWString();
        if (FAILED(m_voice.p->Speak(wide.c_str(), SPF_ASYNC | SPF_PURGEBEFORESPEAK | SPF_IS_NOT_XML, nullptr)))
            emit failed(QStringLiteral("La synthèse vocale de Windows s'est arrêtée."));
    }

    void stop() override
    {
        if (m_missing.isEmpty())
            m_voice.p->Speak(nullptr, SPF_ASYNC | SPF_PURGEBEFORESPEAK, nullptr);
    }

    void setSlow(bool slow) override
    {
        if (m_missing.isEmpty())
            m_voice.p->SetRate(slow ? -3 : 0);
    }

private:
    ComPtr<ISpVoice> m_voice;
    QString m_missing;
};

} // namespace

std::unique_ptr<Speaker> createSystemSpeaker()
{
    return std::make_unique<SapiSpeaker>();
}

} // namespace platform
