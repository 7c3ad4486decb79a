#include "support/analysed_data.hpp"

#include "support/test_transducer.hpp"

namespace lomperi::testing {
namespace {

format::PosGroup group(std::string pos, std::vector<std::string> meanings) { return {std::move(pos), std::move(meanings)}; }

}  // namespace

const TestDictionary& analysed_dictionary() {
    static const TestDictionary t = fresh_analysed_dictionary();
    return t;
}

TestDictionary fresh_analysed_dictionary() {
    return make_analysed_dictionary(
        {
            {"esimerkiksi", {group("adv", {"for example"})}},
            {"ei", {group("verb", {"not"})}},
            {"esimerkki", {group("noun", {"example"})}},
            {"Heinävesi", {group("name", {"a place name"})}},
            {"heinävesi", {group("noun", {"compound of heinä + vesi"})}},
            {"hyvä", {group("adjective", {"good"})}},
            {"ja", {group("conj", {"and"})}},
            {"kasvot", {group("noun", {"face"})}},
            {"kirja", {group("noun", {"book"})}},
            {"kissa", {group("noun", {"cat"})}},
            {"kone", {group("noun", {"machine"})}},
            {"minä", {group("pronoun", {"I"})}},
            {"olla", {group("verb", {"be"})}},
            {"määritelty", {group("adjective", {"past passive participle of määrittää", "past passive participle of määritellä"})}},
            {"määrittää", {group("verb", {"define"})}},
            {"palkki", {group("noun", {"bar, beam"})}},
            {"piilottaa", {group("verb", {"hide"})}},
            {"saada", {group("verb", {"get, receive"})}},
            {"sai", {group("noun", {"sai"})}},
            {"se", {group("pronoun", {"it"})}},
            {"sillä", {group("conj", {"because"}), group("adv", {"intention"})}},
            {"sitä", {group("pron", {"that (emphatic)"})}},
            {"sumentaa", {group("verb", {"blur"})}},
            {"talo", {group("noun", {"house"})}},
            {"talot", {group("noun", {"nominative plural of talo"})}},
            {"tiedot", {group("noun", {"nominative plural of tieto", "information, data"})}},
            {"tieto", {group("noun", {"knowledge"})}},
            {"tietokone", {group("noun", {"computer"})}},
            {"varsi", {group("noun", {"shaft"})}},
            {"varsinkin", {group("adv", {"especially"}), group("noun", {"instructive plural of varsi with the clitic -kin"})}},
            {"voida", {group("verb", {"can, be able to"})}},
            {"voima", {group("noun", {"force"})}},
            {"kuulua", {group("verb", {"belong"})}},
            {"kuuluu", {group("noun", {"compound of kuu + luu"})}},
            {"voimassa", {group("adj", {"in force"})}},
            {"ylä", {group("noun", {"top"})}},
            {"yksinkertainen", {group("adjective", {"simple"})}},
        },
        {{"kirjoja", {"kirja"}}, {"Esimerkiksi", {"esimerkki"}}, {"heinäveden", {"heinävesi"}}},
        lexicon({
            "[Ln][Xp]esimerkki[X]esimerki[Str][Ny]ksi",
            "[Ln][Xp]esimerkki[X]esimerki[Str][Ny]ksi[Fkin][Ef]kin",
            "[Ln][Xp]esimerkki[X]esimerkki[Sn][Ny]",
            "[Lep][Xp]Heinävesi[X]heinäve[Sg][Ny]den",
            "[Ll][Xp]hyvä[X]hyvä[Sn][Ny]",
            "[Ln][Xp]kasvo[X]kasvo[Sine][Nm]issa",
            "[Ln][Xp]kasvo[X]kasvo[Sn][Nm]t",
            "[Ln][Xp]kasvo[X]kasvo[Sn][Ny]",
            "[Ln][Xp]zorro[X]zorro[Sn][Nm]t",
            "[Ln][Xp]kissa[X]kissa[Sn][Ny]",
            "[Lr][Xp]minä[X]minä[Sn][Ny]",
            "[Lk][Tt][Xp]ei[X]e[P1][Ny]n",
            "[Lk][Tk][Xp]ei[X]äl[P2][Ny]ä",
            "[Lt][Xp]olla[X]ole[Tk][Ap][P2][Ny][Eb]",
            "[Lt][Xp]olla[X]ole[Tk][Ap][P2][Ny][Eb][Fkin][Ef]kin",
            "[Lt][Xp]olla[X]oll[Tn1][Eb]a",
            "[Lk][Tt][Xp]ei[X]e[P3][Nm]ivät[Fko][Ef]kö",
            "[Lk][Tt][Xp]ei[X]e[P3][Ny]i",
            "[Lc][Xp]ja[X]ja",
            "[Lt][Xp]olla[X]ol[Tt][Ap][P1][Ny][Ef]en",
            "[Lt][Xp]määrittää[X]määritel[Ll][Rt]ty[Xj][X][Sn][Ny]",
            "[Lt][Xp]määritellä[X]määritel[Ll][Rt]ty[Xj][X][Sn][Ny]",
            "[Lr][Xp]se[X]si[Sade][Ny]llä",
            "[Lr][Xp]se[X]si[Sp][Ny]tä",
            "[Lr][Xp]se[X]si[Sela][Ny]itä",
            "[Lt][Xp]siittää[X]siitä[Tk][Ap][P2][Ny]",
            "[Lt][Xp]saada[X]sa[Tt][Ai][P3][Ny]i",
            "[Ln][Xp]varsi[X]vars[Sin][Nm]in[Fkin][Ef]kin",
            "[Lt][Xp]voida[X]vo[Tt][Ai][P3][Ny]i",
            "[Lt][Ira][Xp]voida[X]voi[Tn3][Ny][Sine]massa",
            "[Ln][Xp]voi[X]voi[Sn][Ny][Bh][Bc][Ln][Xp]massa[X]mass[Sn][Ny]a",
            "[Ln][Xp]voima[X]voima[Sine][Ny]ssa",
            "[Ln][Xp]kuu[X]kuu[Sn][Ny][Bh][Bc][Ln][Xp]luu[X]luu[Sn][Ny]",
            "[Lt][Xp]kuulua[X]kuuluu[Tt][Ap][P3][Ny][Ef]",
            "[Lt][Xp]voida[X]voi[Tk][Ap][P2][Ny]",
            "[Lt][Xp]voida[X]vo[Tt][Ap][P3][Ny]i",
            "[Lt][Xp]voida[X]voi[Tt][Ap][P2][Ny]t",
            "[Lt][Xp]piilottaa[X]piilotta[Tt][Ap][P3][Ny]a",
            "[Lt][Xp]piilottaa[X]piilottaa[Tn1]",
            "[Lt][Xp]sumentaa[X]sumen[Ln][Xj]nus[X]nus[Sn][Ny]",
            "[Ln][Xp]talo[X]talo[Sn][Ny]",
            "[Ln][Xp]talo[X]talo[Sine][Ny]ssa",
            "[Ln][Xp]talo[X]talo[Sn][Nm]t",
            "[Ln][Xp]tieto[X]tiedo[Sn][Nm]t",
            "[Ln][Xp]tieto[X]tieto[Sn][Ny][Bh][Bc][Ln][Xp]kone[X]konee[Sine][Ny]ssa",
            "[Ln][Xp]ylä[X]ylä[Sn][Ny][Bh][Bc][Ln][Xp]palkki[X]palkki[Sn][Ny]",
            "[Ln][Xp]zorro[X]zorro[Sn][Ny]",
            "[Ln][Xp]zorro[X]zorro[Sn][Ny][Bh][Bc][Ln][Xp]talo[X]talo[Sn][Ny]",
            "[Ln][Xp]talo[X]talo[Sn][Ny][Bh][Bc][Ln][Xp]zorro[X]zorro[Sn][Ny]",
            "[Ln][Xp]zorro[X]zorro[Sine][Ny]ssa",
            "[Lu][Xp]yksi[X]y[Sin][Nm]ksin[Bh][Bc][Ln][Xp]kerta[X]kerta[Ll][Xj]inen[X]i[Sp][Nm]sia",
        }));
}

}  // namespace lomperi::testing
