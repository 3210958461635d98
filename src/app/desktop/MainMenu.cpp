#include "app/desktop/MainMenu.h"

using namespace Qt::StringLiterals;

namespace MainMenu {
namespace {

Item menu(const QString& name, const QString& text, std::vector<Item> children)
{
    Item i;
    i.name = name;
    i.text = text;
    i.children = std::move(children);
    return i;
}

Item open(const QString& name, const QString& text, const QString& opens, int reportKind = Keep, int bookMode = Keep)
{
    Item i;
    i.name = name;
    i.text = text;
    i.command = Command::Open;
    i.opens = opens;
    i.reportKind = reportKind;
    i.bookMode = bookMode;
    return i;
}

Item run(const QString& name, const QString& text, Command command, const QKeySequence& shortcut = {})
{
    Item i;
    i.name = name;
    i.text = text;
    i.command = command;
    i.shortcut = shortcut;
    return i;
}

Item hide(Item i)
{
    i.hidden = true;
    return i;
}

// The texts keep their leading blanks: they line the items up under the
// bracketed group words ("[조회]", "[출력]") of the items above them.
std::vector<Item> build()
{
    return {
        menu("Menu_A", u"[&A]종합코드"_s, {
            open("Menu_cust", u"거래처"_s, "TCUSTOMER_F"),
            open("Menu_hyun", u"현장"_s, "THYUNJANG_F"),
            open("Menu_remi_size", u"제품규격"_s, "TSIZE_F"),
            open("Menu_car", u"차량코드"_s, "TFrm_Car"),
            open("Menu_man", u"담당자"_s, "Tyoung_f"),
            open("menu_carcust", u"운반회사코드"_s, "Tcar_cust"),
            open("N21", u"초기잔액"_s, "TMISU_F"),
            open("N22", u"거리 단가"_s, "Tcarry_f"),
            open("N47", u"사업장등록"_s, "Tenrol_f"),
            hide(open("ISO1", u"ISO 문서 번호"_s, "TISO_F")),
            run("N54", u"종료"_s, Command::Close),
        }),
        menu("Menu_B", u"[&B]수주"_s, {
            open("N8", u"수주등록"_s, "Tsuju_f"),
        }),
        menu("Menu_C", u"[&C]출하"_s, {
            open("N90", u"[조회] 출하현황"_s, "TFrm_FindOandS"),
            open("N92", u"           차량현황"_s, "TFrm_FindCar"),
            open("N94", u"           출하마감"_s, "Tiljaprint_f", 2),
            open("N12", u"[출력] 거래처별  출하현황"_s, "Tgiganprn_f", 8),
            open("N13", u"           거래처별  출하일지"_s, "Tgiganprn_f", 7),
            open("N17", u"              차량별  출하현황"_s, "Tgiganprn_f", 9),
            open("N29", u"              차량운행현황"_s, "Tiljaprint_f", 5),
        }),
        menu("Menu_D", u"[&D]영업관리"_s, {
            open("N19", u"판매관리"_s, "Tmast_f", Keep, 0),
            open("N20", u"입금관리"_s, "Tipkum_f", Keep, 0),
            open("N24", u"원재료사용현황"_s, "Tgiganprn_f", 1, 0),
            open("N4", u"기간별 어음 입금"_s, "Tgiganprn_f", 2, 0),
            open("N10", u"담당자별 입금현황"_s, "Tgiganprn_f", 3, 0),
            hide(open("N88", u"규격별 출력"_s, "Tgiganprn_f", 4, 0)),
            open("N26", u"일일미수금"_s, "Tiljaprint_f", 1, 0),
            open("N30", u"일일영업실적현황"_s, "Tilyoungupsiljec_f"),
            open("N87", u"[보고용] 판매 및 입금"_s, "Tiljaprint_f", 3),
            open("N25", u"[보고용] 통합"_s, "Tiljaprint_f", 4),
            open("N31", u"관급현황"_s, "Tiljaprint_f", 6),
            open("N65", u"거래처 종합 현황"_s, "Thyun_misukum_f"),
        }),
        menu("Menu_E", u"[&E]종합자료"_s, {
            menu("Menu_E1", u"[&1] 월말자료"_s, {
                open("N40", u"[&1]  거래처 판매 및 입금"_s, "Tmastipkum_f", Keep, 0),
                open("N43", u"[&2]  [출력][거래처][판매및 입금](17)"_s, "Tulprint_f1", 1, 0),
                open("N310", u"[&3]                         [미수(월별)](18)"_s, "Tulprint_f", 1),
                open("N44", u"[&4]                         [잔액확인서](19)"_s, "Tjankum_f"),
                open("N52", u"[&5]  [출력][담당자][판매및입금](20)"_s, "Tulprint_f1", 2, 0),
                open("N62", u"[&6]                         [미수(월별)](21)"_s, "Tulprint_f", 2),
                open("N91", u"[&7]  [출력][거래명세서][전일미수](22)"_s, "Tgareprint_f", 1, 0),
                open("N101", u"[&8]                                [판매내역만](23)"_s, "Tgareprint_f", 2, 0),
                open("B1", u"[&9]                                [원장](24)"_s, "Tgareprint_f", 3, 0),
                open("B2", u"[&A]  [출력] [계약량 대 출하량](25)"_s, "Tilgae_chul_f", Keep, 0),
            }),
            menu("Menu_E2", u"[&2] 원가"_s, {
                open("N111", u"[&1] [입력] [원가계산전 금액입력]"_s, "Tsizewonga_f"),
                open("N212", u"[&2] [출력] [원가계산](26)"_s, "Tulprint_f1", 4),
            }),
            menu("Menu_E3", u"[&3] 규격별 관, 사"_s, {
                open("N112", u"[&1] [확인] [규격별사용]"_s, "Tsizemast_f", Keep, 0),
                open("N213", u"[&2] [출력] [관,사급](27)"_s, "Tulprint_f1", 3, 0),
            }),
            menu("Menu_E4", u"[&4] 년 판매계획입력"_s, {
                open("N48", u"담당자별목표등록"_s, "Tdamdang_f"),
                open("N36", u"월별 담당자 조회"_s, "Tdamdang_ul_f"),
                open("N49", u"사업장 목표 등록"_s, "Tcust_yejung_f"),
            }),
        }),
        menu("Menu_F", u"[&F]마감"_s, {
            open("N28", u"년마감"_s, "Tmakam_f"),
            open("N34", u"년마감(전체)"_s, "YearClosing"),
            open("N51", u"운반비 마감"_s, "Tcar_carry_f"),
            open("N98", u"운반비 조회"_s, "Tcarry_list_f"),
            run("N27", u"백          업"_s, Command::Backup),
        }),
        menu("Menu_G", u"[&G]세금계산서"_s, {
            menu("Menu_G1", u"판매 및 입금"_s, {
                open("N58", u"자료 이동"_s, "Ttax_move_f", Keep, 1),
                open("N5", u"판매 관리"_s, "Tmast_f", Keep, 1),
                open("N6", u"입금 관리"_s, "Tipkum_f", Keep, 1),
                open("N60", u"미발행이동"_s, "Tgiganprn_f", 13),
                open("N63", u"미발행출력"_s, "Tgiganprn_f", 14),
                open("N64", u"   발행출력"_s, "Tgiganprn_f", 12),
            }),
            menu("Menu_G2", u"계산서"_s, {
                open("N70", u"입력 및 발행"_s, "Ttax_f", Keep, 1),
                open("N74", u"[세금계산서 합계표](28)"_s, "Tgiganprn_f", 5, 1),
                open("N75", u"[명세서 발행 내역](29)"_s, "Tgiganprn_f", 6, 1),
                open("N59", u"[매출장]"_s, "Tgiganprn_f", 11, 1),
            }),
            menu("Menu_G3", u"자료 출력물"_s, {
                menu("Menu_G31", u"거래명세서"_s, {
                    open("N14", u"판매내역만"_s, "Tgareprint_f", 2, 1),
                    open("N16", u"원장"_s, "Tgareprint_f", 3, 1),
                }),
                menu("Menu_G32", u"월말자료"_s, {
                    open("N80", u"[확인] [거래처 판매및입금]"_s, "Tmastipkum_f", Keep, 1),
                    open("N81", u"[출력] [거래처 판매및입금]"_s, "Tulprint_f1", 1, 1),
                }),
                menu("Menu_G33", u"규격별 관.민수"_s, {
                    open("N83", u"[확인] [규격별 사용]"_s, "Tsizemast_f", Keep, 1),
                    open("N84", u"[출력] [관.민수]"_s, "Tulprint_f1", 3, 1),
                }),
                open("N79", u"계약량 대 출하량"_s, "Tilgae_chul_f", Keep, 1),
            }),
            open("N57", u"마감"_s, "TaxYearClosing"),
        }),
        hide(menu("Menu_H", u"[&H]조합자료"_s, {
            menu("Menu_H1", u"판매 및 입금"_s, {
                open("N108", u"자료 이동"_s, "Ttax_move_f", Keep, 2),
                open("N107", u"판매 관리"_s, "Tmast_f", Keep, 2),
            }),
            menu("Menu_H2", u"계산서"_s, {
                open("N104", u"입력 및 발행"_s, "Ttax_f", Keep, 2),
                open("N281", u"[세금계산서 합계표](28)"_s, "Tgiganprn_f", 5, 2),
                open("N291", u"[명세서 발행 내역](29)"_s, "Tgiganprn_f", 6, 2),
                open("N32", u"[매출장]"_s, "Tgiganprn_f", 11, 2),
                open("N39", u"[규격별 집계표]"_s, "Tgiganprn_f", 10, 2),
            }),
            menu("Menu_H3", u"자료 출력물"_s, {
                open("N53", u"규격별 가격거래현황"_s, "Tulprint_f1", 5),
            }),
        })),
        hide(open("I1", u"[&I]매입자료"_s, "Tmast_f", Keep, 3)),
        menu("Menu_U", u"[&U]유틸리티"_s, {
            run("menu_s33", u"Printer Setup"_s, Command::PrinterSetup, Qt::CTRL | Qt::Key_P),
            run("menu_s34", u"국가별날짜설정"_s, Command::RegionalSettings, Qt::CTRL | Qt::Key_T),
            run("menu_s35", u"디스플레이설정"_s, Command::DisplaySettings, Qt::CTRL | Qt::Key_D),
            run("menu_s36", u"시간.일자 설정"_s, Command::DateTimeSettings, Qt::CTRL | Qt::Key_E),
            run("menu_s37", u"전자계산기"_s, Command::Calculator, Qt::CTRL | Qt::Key_C),
        }),
        open("V1", u"[&V]규격관리"_s, "TSIZE_F"),
        run("W1", u"[&W] 도움말"_s, Command::Help),
        run("Z1", u"[&Z] 종료"_s, Command::Close),
    };
}

const Item* findIn(const std::vector<Item>& list, const QString& name)
{
    for (const Item& i : list) {
        if (i.name == name)
            return &i;
        if (const Item* found = findIn(i.children, name))
            return found;
    }
    return nullptr;
}

} // namespace

const std::vector<Item>& items()
{
    static const std::vector<Item> table = build();
    return table;
}

const Item* find(const QString& name) { return findIn(items(), name); }

} // namespace MainMenu
