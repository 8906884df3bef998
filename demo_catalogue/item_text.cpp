#include "demo_catalogue/item_text.h"

#include <span>
#include <vector>

#include "common/gbk.h"

namespace lf::demo {
namespace {

using Words = std::span<const std::string_view>;

// ---- names ----

constexpr std::string_view kQualityByRarity[kRarityCount][3] = {
    {"粗制", "旧式", "练习用"}, {"精良", "坚固", "锐利"}, {"稀有", "精制", "秘银"},
    {"英雄", "传说", "远古"},   {"神圣", "至尊", "创世"},
};
constexpr std::string_view kThemes[] = {
    "青铜", "精钢", "白银", "黄金", "黑铁", "寒冰", "烈焰", "雷霆", "暗影", "圣光", "龙鳞", "星辰",
    "月光", "血色", "狂风", "翡翠", "水晶", "骷髅", "荆棘", "紫晶", "赤炎", "苍穹", "深渊", "霜月",
};
// Themes written with characters whose second GBK byte is '|'; only those that really are
// (checked by encoding them) go into names.
constexpr std::string_view kSeparatorTrailCandidates[] = {
    "夢魘", "東方", "瑋玉", "遼東", "億年", "鎩羽", "神軀", "金縷", "觸手",
};

constexpr std::string_view kSwords[] = {"长剑", "大剑", "细剑", "阔剑", "军刀", "弯刀", "双手剑"};
constexpr std::string_view kDaggers[] = {"匕首", "短剑", "飞刀", "短刀", "刺刀"};
constexpr std::string_view kOffHandBlades[] = {"副手短剑", "副手匕首", "格挡短刀"};
constexpr std::string_view kAxes[] = {"战斧", "巨斧", "手斧", "双刃斧"};
constexpr std::string_view kMaces[] = {"战锤", "钉锤", "巨锤", "晨星锤"};
constexpr std::string_view kTools[] = {"锻造锤", "工匠锤", "铁锤", "爆破锤"};
constexpr std::string_view kSpears[] = {"长枪", "长矛", "战戟", "三叉戟"};
constexpr std::string_view kStaves[] = {"法杖", "长杖", "权杖", "手杖"};
constexpr std::string_view kWands[] = {"魔杖", "短杖", "魔棒"};
constexpr std::string_view kBows[] = {"长弓", "短弓", "猎弓", "复合弓"};
constexpr std::string_view kCrossbows[] = {"十字弩", "连弩", "重弩"};
constexpr std::string_view kGuns[] = {"火枪", "手枪", "魔銃", "火銃", "散弹枪", "步枪"};
constexpr std::string_view kClaws[] = {"铁爪", "拳套", "虎爪", "指虎"};
constexpr std::string_view kFans[] = {"折扇", "羽扇", "扑克牌", "铁扇"};
constexpr std::string_view kPans[] = {"平底锅", "炒锅", "汤勺", "擀面杖", "菜刀"};
constexpr std::string_view kShields[] = {"圆盾", "塔盾", "鸢盾", "小圆盾", "大盾"};
constexpr std::string_view kHelmets[] = {"头盔", "战盔", "面罩", "角盔"};
constexpr std::string_view kHats[] = {"帽子", "头巾", "发带", "礼帽", "兜帽"};
constexpr std::string_view kArmours[] = {"铠甲", "胸甲", "锁子甲", "板甲", "皮甲"};
constexpr std::string_view kRobes[] = {"长袍", "法袍", "外衣", "上衣"};
constexpr std::string_view kTrousers[] = {"护腿", "长裤", "战裤", "腿甲"};
constexpr std::string_view kSkirts[] = {"短裙", "长裙", "百褶裙"};
constexpr std::string_view kBoots[] = {"战靴", "长靴", "铁靴", "皮靴"};
constexpr std::string_view kShoes[] = {"布鞋", "凉鞋", "皮鞋", "舞鞋"};
constexpr std::string_view kGloves[] = {"手套", "护手", "护腕", "臂铠"};
constexpr std::string_view kCapes[] = {"披风", "斗篷", "围巾"};
constexpr std::string_view kRings[] = {"戒指", "指环"};
constexpr std::string_view kNecklaces[] = {"项链", "护符", "吊坠"};
constexpr std::string_view kEarrings[] = {"耳环", "耳坠", "耳钉"};

constexpr std::string_view kPetLooks[] = {"白色", "黑色", "火焰", "冰霜", "雷电", "花斑",
                                          "金色", "幸运", "彩虹", "迷你", "胖胖", "淘气"};
constexpr std::string_view kPets[] = {"小猫", "小狗",   "幼龙", "企鹅", "狐狸", "兔子",
                                      "小熊", "猫头鹰", "小鹿", "仓鼠", "小猪", "独角兽"};
constexpr std::string_view kPetGear[] = {"宠物铠甲", "宠物护甲", "战宠鞍具"};
constexpr std::string_view kPetCollars[] = {"宠物项圈", "铃铛项圈", "宠物护符"};

constexpr std::string_view kCostumeStyles[] = {"夏日", "圣诞", "樱花", "海滩",    "万圣节", "新春",
                                               "校园", "婚礼", "忍者", "海盗",    "女仆",   "王子",
                                               "公主", "熊猫", "兔耳", "魔法少女"};
constexpr std::string_view kCostumeHats[] = {"帽子", "头饰", "发箍", "面具"};
constexpr std::string_view kCostumeTops[] = {"礼服", "和服", "泳装", "外套"};
constexpr std::string_view kCostumeBottoms[] = {"短裙", "长裙", "短裤"};
constexpr std::string_view kCostumeShoes[] = {"鞋子", "靴子", "凉鞋"};
constexpr std::string_view kWings[] = {"之翼", "翅膀", "羽翼", "光翼"};
constexpr std::string_view kBackPieces[] = {"背饰", "披风", "尾巴"};
constexpr std::string_view kMounts[] = {"战马", "独角兽坐骑", "狮鹫", "飞龙", "白虎", "扫帚"};
constexpr std::string_view kEmblems[] = {"徽章", "勋章", "纹章"};
constexpr std::string_view kTitles[] = {"称号", "头衔"};

constexpr std::string_view kNoPrefix[] = {""};
constexpr std::string_view kPotionSizes[] = {"小型", "中型", "大型", "超级", "特级"};
constexpr std::string_view kPotions[] = {"红色药水", "蓝色药水", "紫色药水", "治疗药剂", "魔力药剂",
                                         "活力药水", "复活药水", "解毒剂",   "万能药"};
constexpr std::string_view kFoodLooks[] = {"美味的", "新鲜的", "香喷喷的", "热腾腾的",
                                           "特制",   "家常",   "豪华",     "庆典"};
constexpr std::string_view kFoods[] = {"面包", "烤肉",   "苹果", "蛋糕", "饭团",  "拉面",
                                       "寿司", "牛奶",   "果汁", "月饼", "粽子",  "饺子",
                                       "烤鱼", "蘑菇汤", "披萨", "蜂蜜", "冰淇淋"};
constexpr std::string_view kPetFoods[] = {"宠物饼干", "宠物罐头", "肉骨头", "小鱼干", "胡萝卜"};
constexpr std::string_view kGrades[] = {"劣质", "普通", "优质", "完美"};
constexpr std::string_view kOres[] = {"铁矿石", "铜矿石", "银矿石",   "金矿石",  "秘银矿石",
                                      "煤炭",   "精钢锭", "黑曜石",   "兽皮",    "布料",
                                      "木材",   "丝线",   "骨头碎片", "魔法粉末"};
constexpr std::string_view kHerbs[] = {"薄荷草", "曼陀罗", "人参",   "灵芝",   "蓝色花瓣",
                                       "月光草", "火焰花", "冰晶草", "毒蘑菇", "四叶草"};
constexpr std::string_view kGemLooks[] = {"碎裂的", "普通的", "闪耀的", "完美的", "传说的"};
constexpr std::string_view kGems[] = {"红宝石", "蓝宝石", "绿宝石", "紫水晶", "钻石",
                                      "猫眼石", "珍珠",   "强化石", "祝福石", "幸运石"};
constexpr std::string_view kBookLevels[] = {"初级技能书：", "中级技能书：", "高级技能书：",
                                            "魔法书："};
constexpr std::string_view kSkills[] = {"旋风斩", "火球术", "冰箭术", "治疗术",   "圣光护盾",
                                        "连射",   "狙击",   "背刺",   "隐身",     "嘲讽",
                                        "雷击",   "陨石术", "复活术", "爆破",     "锻造精通",
                                        "冲锋",   "祝福",   "毒雾",   "烹饪精通", "二连击"};
constexpr std::string_view kOwners[] = {
    "长老的", "铁匠的", "卫兵队长的", "神秘商人的", "公主的", "渔夫的", "猎人的", "村长的", ""};
constexpr std::string_view kLetters[] = {"信",     "密函",     "委托书",     "求救信",   "推荐信",
                                         "通行证", "调查报告", "藏宝图碎片", "失落日记", "护身符"};
constexpr std::string_view kQuestScrolls[] = {"古老的卷轴", "封印卷轴", "任务卷轴",
                                              "悬赏令",     "讨伐令",   "调查令"};
constexpr std::string_view kTickets[] = {"传送卷轴", "回城卷轴",   "祝福卷轴",
                                         "强化券",   "入场券",     "改名券",
                                         "复活卷轴", "经验加倍券", "仓库扩充券"};
constexpr std::string_view kBoxes[] = {"神秘宝箱", "礼物盒", "补给箱", "幸运袋",  "新手礼包",
                                       "节日礼盒", "木箱",   "铁箱",   "黄金宝箱"};
constexpr std::string_view kCoins[] = {"活动纪念币", "幸运金币", "节日代币", "银币", "竞技场徽币"};
constexpr std::string_view kKeys[] = {"铜钥匙",   "银钥匙",   "金钥匙",   "宝箱钥匙",
                                      "古老钥匙", "骷髅钥匙", "水晶钥匙", "地下城钥匙"};
constexpr std::string_view kCardPrefix[] = {"怪物卡片："};
constexpr std::string_view kMonsters[] = {"史莱姆", "哥布林", "骷髅兵",   "狼人",   "石像鬼",
                                          "火龙",   "树精",   "海盗船长", "蝙蝠王", "冰雪女王"};
constexpr std::string_view kFireworks[] = {"烟花",     "彩色烟火", "爆竹",    "礼花",
                                           "心形烟火", "星光烟火", "庆典礼炮"};

struct NameParts {
    Words prefixes;
    Words nouns;
};

Words EquipmentNouns(const KindPlan& plan) {
    switch (plan.kind) {
        case 18:
            return kCrossbows;
        case 33:
            return kOffHandBlades;
        case 40:
            return kTools;
        default:
            break;
    }
    switch (plan.picture) {
        case Picture::Sword:
            return kSwords;
        case Picture::Dagger:
            return kDaggers;
        case Picture::Axe:
            return kAxes;
        case Picture::Hammer:
            return kMaces;
        case Picture::Spear:
            return kSpears;
        case Picture::Staff:
            return kStaves;
        case Picture::Wand:
            return kWands;
        case Picture::Bow:
            return kBows;
        case Picture::Gun:
            return kGuns;
        case Picture::Claw:
            return kClaws;
        case Picture::Fan:
            return kFans;
        case Picture::Pan:
            return kPans;
        case Picture::Shield:
            return kShields;
        case Picture::Helmet:
            return kHelmets;
        case Picture::Hat:
            return kHats;
        case Picture::Armour:
            return kArmours;
        case Picture::Robe:
            return kRobes;
        case Picture::Trousers:
            return kTrousers;
        case Picture::Skirt:
            return kSkirts;
        case Picture::Boots:
            return kBoots;
        case Picture::Shoes:
            return kShoes;
        case Picture::Gloves:
            return kGloves;
        case Picture::Cape:
            return kCapes;
        case Picture::Ring:
            return kRings;
        case Picture::Necklace:
            return kNecklaces;
        case Picture::Earring:
            return kEarrings;
        default:
            return kRings;
    }
}

NameParts CostumeParts(const KindPlan& plan) {
    switch (plan.kind) {
        case 44:
            return {kCostumeStyles, kCostumeHats};
        case 45:
            return {kCostumeStyles, kCostumeTops};
        case 46:
            return {kCostumeStyles, kCostumeBottoms};
        case 47:
            return {kCostumeStyles, kCostumeShoes};
        case 48:
            return {kCostumeStyles, kWings};
        case 49:
            return {kCostumeStyles, kBackPieces};
        case 50:
            return {kPetLooks, kMounts};
        case 51:
            return {kCostumeStyles, kEmblems};
        default:
            return {kCostumeStyles, kTitles};
    }
}

NameParts PetParts(const KindPlan& plan) {
    switch (plan.kind) {
        case 30:
            return {kPets, kPetGear};
        case 53:
            return {kNoPrefix, kPetCollars};
        default:
            return {kPetLooks, kPets};
    }
}

NameParts GoodsParts(const KindPlan& plan) {
    switch (plan.picture) {
        case Picture::Potion:
            return {kPotionSizes, kPotions};
        case Picture::Food:
            return plan.kind == 28 ? NameParts{kNoPrefix, kPetFoods}
                                   : NameParts{kFoodLooks, kFoods};
        case Picture::Ore:
            return {kGrades, kOres};
        case Picture::Herb:
            return {kGrades, kHerbs};
        case Picture::Gem:
            return {kGemLooks, kGems};
        case Picture::Book:
            return {kBookLevels, kSkills};
        case Picture::Letter:
            return {kOwners, kLetters};
        case Picture::Scroll:
            return plan.group == Group::Quest ? NameParts{kOwners, kQuestScrolls}
                                              : NameParts{kNoPrefix, kTickets};
        case Picture::Box:
            return {kNoPrefix, kBoxes};
        case Picture::Coin:
            return {kNoPrefix, kCoins};
        case Picture::Key:
            return {kNoPrefix, kKeys};
        case Picture::Card:
            return {kCardPrefix, kMonsters};
        default:
            return {kNoPrefix, kFireworks};
    }
}

const std::vector<std::string_view>& SeparatorTrailThemes() {
    static const std::vector<std::string_view> themes = [] {
        std::vector<std::string_view> found;
        for (std::string_view word : kSeparatorTrailCandidates) {
            if (HasSeparatorTrail(word)) found.push_back(word);
        }
        return found;
    }();
    return themes;
}

std::string_view Theme(Random& random) {
    const auto& rare = SeparatorTrailThemes();
    if (!rare.empty() && random.Percent(6)) return random.Pick(rare);
    return random.Pick(kThemes);
}

std::string EquipmentName(const KindPlan& plan, Rarity rarity, Random& random) {
    std::string name;
    if (random.Percent(50)) name += random.Pick(kQualityByRarity[static_cast<int>(rarity)]);
    name += Theme(random);
    name += random.Pick(EquipmentNouns(plan));
    return name;
}

std::string Compose(const NameParts& parts, Random& random) {
    std::string name(random.Pick(parts.prefixes));
    name += random.Pick(parts.nouns);
    return name;
}

// ---- descriptions ----

constexpr std::string_view kWeaponLines[] = {
    "锋利的刃口可以轻易斩断钢铁。",
    "据说曾是一位无名英雄的武器。",
    "握柄缠着柔软的皮革，手感极佳。",
    "在月光下会发出淡淡的光芒。",
    "铁匠花了七天七夜才将它锻造完成。",
    "挥舞时会带起一阵轻微的风声。",
    "武器上刻着古老的符文，蕴藏着神秘的力量。",
    "重量适中，初学者也能轻松使用。",
    "传说中只有真正的勇者才能发挥它的全部力量。",
    "王国骑士团的制式装备，经过了无数次实战的考验。",
    "攻击时有一定几率让敌人陷入短暂的晕眩。",
    "远距离作战时威力不减，深受冒险者喜爱。",
};
constexpr std::string_view kShieldLines[] = {
    "坚固的盾牌可以抵挡大部分的攻击。",
    "盾面上画着王国的徽记。",
    "边缘包着一圈厚实的铁皮。",
    "据说能够挡住巨龙的火焰。",
    "守护者们代代相传的盾牌，上面布满了战斗的痕迹。",
    "举起盾牌时，身后的同伴也会感到安心。",
};
constexpr std::string_view kArmourLines[] = {
    "用上等材料制成，防御力出众。",
    "穿在身上几乎感觉不到重量。",
    "衣角绣着精美的花纹。",
    "能够有效抵御寒冷与风雪。",
    "内衬柔软透气，长时间穿着也不会疲劳。",
    "表面经过特殊处理，不容易生锈。",
    "城里的裁缝用了整整一个月才缝制完成。",
    "在沙漠中也能保持身体的凉爽。",
};
constexpr std::string_view kAccessoryLines[] = {
    "镶嵌着一颗闪闪发光的宝石。",
    "据说佩戴者会得到好运。",
    "蕴含着微弱的魔力，可以提升佩戴者的能力。",
    "精灵工匠的作品，做工十分精细。",
    "在黑暗中会发出微弱的光。",
    "母亲留给孩子的护身之物。",
};
constexpr std::string_view kPetLines[] = {
    "性格温顺，喜欢跟在主人身后。",
    "战斗时会勇敢地保护主人。",
    "肚子饿的时候会发出可爱的叫声。",
    "从蛋里孵出来之后就一直跟着主人。",
    "喜欢在阳光下打盹。",
    "经过训练之后可以帮忙捡起掉落的物品。",
};
constexpr std::string_view kCostumeLines[] = {
    "参加节日活动时获得的纪念服饰。", "外观华丽，穿上后会吸引众人的目光。",
    "限定时装，只在活动期间出售。",   "设计师精心设计的流行款式。",
    "可以和其他时装搭配穿着。",       "穿上它在城里散步会感到心情愉快。",
};
constexpr std::string_view kConsumableLines[] = {
    "可以恢复一定的体力。",           "冒险途中不可缺少的补给品。", "味道有点苦，但效果很好。",
    "刚出炉的，还冒着热气。",         "战斗中也可以使用。",         "食用后会感到全身充满力量。",
    "村里的厨师按照祖传的配方制作。", "放久了会变质，请尽快食用。",
};
constexpr std::string_view kMaterialLines[] = {
    "可以用来制作装备的材料。",
    "在矿山深处才能找到。",
    "交给铁匠可以换取报酬。",
    "炼金术士非常需要这种材料。",
    "收集足够的数量后可以合成更高级的物品。",
    "在森林和草原中偶尔可以采集到。",
};
constexpr std::string_view kBookLines[] = {
    "阅读后可以学会新的技能。",           "只有达到要求的职业才能学习。",
    "书页已经有些发黄，字迹却依然清晰。", "记载着前辈们留下的战斗心得。",
    "学习后可以在技能窗口中查看。",
};
constexpr std::string_view kQuestLines[] = {
    "需要交给委托人的重要物品。",     "任务完成后会自动消失。",
    "上面写着潦草的字迹。",           "请尽快送到目的地。",
    "村长正在焦急地等待你的消息。",   "似乎隐藏着一个不为人知的秘密。",
    "把它带回去就能得到丰厚的报酬。",
};
constexpr std::string_view kMiscLines[] = {
    "在活动期间可以兑换奖励。", "打开后可以随机获得一件物品。",
    "可以在商城购买。",         "收集齐全后可以找活动负责人领取奖品。",
    "双击即可使用。",           "节日的时候大家都会放上几个。",
};
constexpr std::string_view kClosingLines[] = {
    "无法与其他玩家交易。",     "可以在商店出售。",       "可以存放在仓库中。",
    "每个角色只能拥有一个。",   "活动结束后将无法使用。", "不能丢弃。",
    "强化后能力会进一步提升。",
};
constexpr std::string_view kWarnings[] = {
    "注意：此物品无法交易。", "使用后将立即消失。",       "死亡时有可能掉落。",
    "限时道具，过期后消失。", "一旦装备便无法解除绑定。",
};
constexpr std::string_view kEffects[] = {
    "套装效果：攻击力提升。",   "特殊效果：移动速度增加。", "附加效果：经验值获得量增加。",
    "隐藏效果：暴击伤害提升。", "效果：持续恢复体力。",
};
constexpr std::string_view kTags[] = {
    "活动限定道具", "商城道具", "任务道具", "公会奖励", "竞技场奖励",
};

Words LinesFor(Group group) {
    switch (group) {
        case Group::Weapon:
            return kWeaponLines;
        case Group::Shield:
            return kShieldLines;
        case Group::Armour:
            return kArmourLines;
        case Group::Accessory:
            return kAccessoryLines;
        case Group::Pet:
            return kPetLines;
        case Group::Costume:
            return kCostumeLines;
        case Group::Consumable:
            return kConsumableLines;
        case Group::Material:
            return kMaterialLines;
        case Group::SkillBook:
            return kBookLines;
        case Group::Quest:
            return kQuestLines;
        case Group::Misc:
            return kMiscLines;
    }
    return kMiscLines;
}

std::string Sentences(Words lines, int count, Random& random) {
    std::string text;
    for (int i = 0; i < count; ++i) text += random.Pick(lines);
    return text;
}

// The ways descriptions use colour codes: a tag in colour continued in the same colour, blank
// lines made by runs of #N#, a closing #N#, a warning in red then back to the default colour,
// a colour code directly followed by another code.
std::string Marked(Words lines, Random& random) {
    const std::string body = Sentences(lines, static_cast<int>(random.Between(1, 2)), random);
    const std::string more = Sentences(lines, 1, random);
    const std::string tag(random.Pick(kTags));
    const std::string warning(random.Pick(kWarnings));
    const std::string effect(random.Pick(kEffects));
    switch (random.Between(0, 7)) {
        case 0:
            return "#B#" + tag + "#N#" + body;
        case 1:
            return body + "#N##N#" + more;
        case 2:
            return body + "#N#" + more + "#N#";
        case 3:
            return "#R#" + warning + "#X#" + body;
        case 4:
            return "#G#" + effect + "#N##N##N#" + "#B#" + tag;
        case 5:
            return "#G##N#" + effect + "#N#" + body;
        case 6:
            return body + "#B#" + tag + "#X#" + more;
        default:
            return body + "#N#" + "#R#" + warning + "#N##N#";
    }
}

}  // namespace

std::string SeriesName(const KindPlan& plan, Rarity rarity, Random& random) {
    switch (plan.group) {
        case Group::Weapon:
        case Group::Shield:
        case Group::Armour:
        case Group::Accessory:
            return EquipmentName(plan, rarity, random);
        case Group::Pet:
            return Compose(PetParts(plan), random);
        case Group::Costume:
            return Compose(CostumeParts(plan), random);
        default:
            return Compose(GoodsParts(plan), random);
    }
}

std::string Description(const KindPlan& plan, Random& random) {
    const Words lines = LinesFor(plan.group);
    // Collector cards carry their number after a '#' that is no colour code, so they never mix
    // it with codes.
    if (plan.picture == Picture::Card) {
        return "图鉴编号 #" + std::to_string(random.Between(1, 300)) + "。" +
               Sentences(lines, 2, random);
    }
    if (random.Percent(45)) return Marked(lines, random);
    std::string text = Sentences(lines, static_cast<int>(random.Between(1, 3)), random);
    if (random.Percent(8)) text += random.Pick(kClosingLines);
    return text;
}

bool HasSeparatorTrail(std::string_view utf8) {
    const std::string gbk = EncodeGbk(utf8);
    for (std::size_t i = 0; i + 1 < gbk.size(); ++i) {
        if (static_cast<unsigned char>(gbk[i]) < 0x80) continue;
        if (gbk[i + 1] == '|') return true;
        ++i;
    }
    return false;
}

}  // namespace lf::demo
