<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fa_IR">
<context>
    <name>Form1</name>
    <message>
        <source>Save plot as PNG</source>
        <translation>ذخیرهٔ نمودار به‌صورت PNG</translation>
    </message>
    <message>
        <source>PNG images (*.png)</source>
        <translation>تصویرهای PNG (*.png)</translation>
    </message>
    <message>
        <source>Save plot as PNG…</source>
        <translation>ذخیرهٔ نمودار به‌صورت PNG…</translation>
    </message>
    <message>
        <source>Run stopped</source>
        <translation>اجرا متوقف شد</translation>
    </message>
    <message>
        <source>%1 in %2.</source>
        <translation>%1 در %2.</translation>
    </message>
    <message>
        <source>Plot not saved</source>
        <translation>نمودار ذخیره نشد</translation>
    </message>
    <message>
        <source>The plot could not be saved as %1.</source>
        <translation>ذخیرهٔ نمودار در %1 ممکن نشد.</translation>
    </message>
    <message>
        <source>Copy plot</source>
        <translation>کپی نمودار</translation>
    </message>
    <message>
        <source>Current values</source>
        <translation>مقادیر کنونی</translation>
    </message>
    <message>
        <source>Instructions</source>
        <translation>راهنما</translation>
    </message>
    <message>
        <source>Graphs</source>
        <translation>نمودارها</translation>
    </message>
    <message>
        <source>Red points: Euler&apos;s positions. Blue points: the exact cosine.</source>
        <translation>نقطه‌های قرمز: مکان‌های روش اویلر. نقطه‌های آبی: کسینوس دقیق.</translation>
    </message>
    <message>
        <source>No step is shown.</source>
        <translation>هیچ گامی نشان داده نشده است.</translation>
    </message>
    <message>
        <source>Shown: steps %1 to %2.</source>
        <translation>گام‌های نشان‌داده‌شده: %1 تا %2.</translation>
    </message>
    <message>
        <source>At step %1 the red point is %2 from the blue one.</source>
        <translation>در گام %1 فاصلهٔ نقطهٔ قرمز از نقطهٔ آبی %2 است.</translation>
    </message>
    <message>
        <source>The red point lies outside the drawing.</source>
        <translation>نقطهٔ قرمز بیرون از محدودهٔ نمودار است.</translation>
    </message>
    <message>
        <source>The blue point lies outside the drawing.</source>
        <translation>نقطهٔ آبی بیرون از محدودهٔ نمودار است.</translation>
    </message>
    <message>
        <source>The run is done.</source>
        <translation>اجرا انجام شد.</translation>
    </message>
</context>
<context>
    <name>Page</name>
    <message>
        <source>the browser&apos;s storage for this page is full</source>
        <translation>فضای ذخیره‌سازی مرورگر برای این صفحه پر است</translation>
    </message>
    <message>
        <source>a newer copy of this page keeps them in a newer form</source>
        <translation>نسخهٔ تازه‌تری از این صفحه آن‌ها را به شکلی تازه‌تر نگه می‌دارد</translation>
    </message>
    <message>
        <source>the browser does not let this page keep data (in a private window, or with site data turned off)</source>
        <translation>مرورگر اجازه نمی‌دهد این صفحه داده‌ای نگه دارد (در پنجرهٔ خصوصی، یا وقتی نگه‌داشتن دادهٔ وبگاه‌ها خاموش است)</translation>
    </message>
    <message>
        <source>Lines in %1: %2</source>
        <translation>شمار سطرهای %1: %2</translation>
    </message>
    <message>
        <source>Delete y.dat and v.dat with all their lines? This cannot be undone.</source>
        <translation>y.dat و v.dat با همهٔ سطرهایشان پاک شوند؟ این کار برگشت‌پذیر نیست.</translation>
    </message>
    <message>
        <source>Delete data files</source>
        <translation>پاک کردن پرونده‌های داده</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>پاک کردن</translation>
    </message>
    <message>
        <source>Data files</source>
        <translation>پرونده‌های داده</translation>
    </message>
    <message>
        <source>Every run appends its positions to y.dat and its velocities to v.dat. This browser keeps them for this page.</source>
        <translation>هر اجرا مکان‌هایش را به y.dat و سرعت‌هایش را به v.dat می‌افزاید. این مرورگر آن‌ها را برای این صفحه نگه می‌دارد.</translation>
    </message>
    <message>
        <source>Download y.dat</source>
        <translation>دریافت y.dat</translation>
    </message>
    <message>
        <source>Download v.dat</source>
        <translation>دریافت v.dat</translation>
    </message>
    <message>
        <source>The lines of this run could not be kept in the browser&apos;s storage: %1.</source>
        <translation>سطرهای این اجرا در فضای ذخیره‌سازی مرورگر نگه داشته نشد: %1.</translation>
    </message>
    <message>
        <source>Data files not kept</source>
        <translation>پرونده‌های داده نگه داشته نشد</translation>
    </message>
    <message>
        <source>Download y.dat and Download v.dat still give the lines of this visit until the page is closed.</source>
        <translation>تا این صفحه بسته نشده، «دریافت y.dat» و «دریافت v.dat» همچنان سطرهای این بازدید را می‌دهند.</translation>
    </message>
    <message>
        <source>The program has ended.</source>
        <translation>برنامه به پایان رسید.</translation>
    </message>
    <message>
        <source>Its data files are kept: they are below.</source>
        <translation>پرونده‌های داده‌اش نگه داشته شده‌اند و در پایین همین صفحه‌اند.</translation>
    </message>
    <message>
        <source>Start the program again</source>
        <translation>اجرای دوبارهٔ برنامه</translation>
    </message>
    <message>
        <source>Something went wrong</source>
        <translation>مشکلی پیش آمد</translation>
    </message>
    <message>
        <source>A fault in the program itself stopped what it was doing. You can go on using the window.</source>
        <translation>خطایی در خود برنامه کاری را که در دست داشت متوقف کرد. می‌توانید همچنان با پنجره کار کنید.</translation>
    </message>
    <message>
        <source>The program stopped because of a fault of its own.</source>
        <translation>برنامه به سبب خطایی در خودش متوقف شد.</translation>
    </message>
    <message>
        <source>Its data files are kept: they are below. Reload the page to start the program again.</source>
        <translation>پرونده‌های داده‌اش نگه داشته شده‌اند و در پایین همین صفحه‌اند. برای اجرای دوبارهٔ برنامه، صفحه را دوباره بارگذاری کنید.</translation>
    </message>
    <message>
        <source>Reload the page</source>
        <translation>بارگذاری دوبارهٔ صفحه</translation>
    </message>
    <message>
        <source>sho-euler needs WebAssembly, which this browser has turned off. Turn it on, or open the page in another browser.</source>
        <translation>sho-euler به WebAssembly نیاز دارد که در این مرورگر خاموش است. آن را روشن کنید، یا صفحه را در مرورگر دیگری باز کنید.</translation>
    </message>
    <message>
        <source>sho-euler could not start in this browser: %1</source>
        <translation>sho-euler در این مرورگر اجرا نشد: %1</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>تأیید</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>انصراف</translation>
    </message>
    <message>
        <source>Plot not copied</source>
        <translation>نمودار کپی نشد</translation>
    </message>
    <message>
        <source>The browser did not let the page copy the plot.</source>
        <translation>مرورگر اجازه نداد صفحه نمودار را کپی کند.</translation>
    </message>
    <message>
        <source>This browser does not keep the data files: %1. The downloads give the lines of this visit.</source>
        <translation>این مرورگر پرونده‌های داده را نگه نمی‌دارد: %1. دریافت‌ها سطرهای این بازدید را می‌دهند.</translation>
    </message>
    <message>
        <source>This browser may clear the data files when it runs short of space: download them to keep a safe copy.</source>
        <translation>این مرورگر ممکن است وقتی جا کم بیاورد پرونده‌های داده را پاک کند: برای داشتن نسخه‌ای امن، آن‌ها را دریافت کنید.</translation>
    </message>
    <message>
        <source>the browser closed the page&apos;s storage, as it does when the page&apos;s site data is cleared</source>
        <translation>مرورگر فضای ذخیره‌سازی این صفحه را بست، همان‌گونه که هنگام پاک شدن دادهٔ وبگاه این صفحه می‌بندد</translation>
    </message>
    <message>
        <source>%1 could not be read from the browser&apos;s storage: %2.</source>
        <translation>خواندن %1 از فضای ذخیره‌سازی مرورگر ممکن نشد: %2.</translation>
    </message>
    <message>
        <source>Data file not downloaded</source>
        <translation>پروندهٔ داده دریافت نشد</translation>
    </message>
    <message>
        <source>The browser&apos;s storage did not delete the data files: %1.</source>
        <translation>فضای ذخیره‌سازی مرورگر پرونده‌های داده را پاک نکرد: %1.</translation>
    </message>
    <message>
        <source>Data files not deleted</source>
        <translation>پرونده‌های داده پاک نشد</translation>
    </message>
    <message>
        <source>The browser did not keep %1 lines of each data file: they are only in this page, and closing it or loading it again loses them. Download y.dat and v.dat to keep them.</source>
        <translation>مرورگر %1 سطر از هر پروندهٔ داده را نگه نداشت: این سطرها فقط در همین صفحه‌اند و با بستن یا بارگذاری دوبارهٔ آن از دست می‌روند. برای نگه‌داشتن آن‌ها، y.dat و v.dat را دریافت کنید.</translation>
    </message>
</context>
<context>
    <name>RunError</name>
    <message>
        <source>Cannot open %1 for appending: %2.</source>
        <translation>نمی‌توان %1 را برای افزودن باز کرد: %2.</translation>
    </message>
    <message>
        <source>Cannot append to %1: it is not a file.</source>
        <translation>نمی‌توان به %1 افزود: این یک پرونده نیست.</translation>
    </message>
    <message>
        <source>%1 is in use by another copy of the program. Try again when its run has finished.</source>
        <translation>پروندهٔ %1 در دست نسخهٔ دیگری از برنامه است. پس از پایان اجرای آن دوباره امتحان کنید.</translation>
    </message>
    <message>
        <source>Cannot append to %1: its last line has no line break and is not one the program wrote. End it with a line break.</source>
        <translation>نمی‌توان به %1 افزود: سطر آخرش شکست سطر ندارد و برنامه آن را ننوشته است. آن را با یک شکست سطر تمام کنید.</translation>
    </message>
    <message>
        <source>Cannot remove the partial last line of %1: %2.</source>
        <translation>نمی‌توان سطر آخر ناتمام %1 را برداشت: %2.</translation>
    </message>
    <message>
        <source>Cannot write to %1: %2. Both data files keep the lines of this run&apos;s first %3 steps.</source>
        <translation>نمی‌توان در %1 نوشت: %2. هر دو پروندهٔ داده سطرهای %3 گام نخست این اجرا را نگه می‌دارند.</translation>
    </message>
    <message>
        <source>Cannot close %1: %2.</source>
        <translation>نمی‌توان %1 را بست: %2.</translation>
    </message>
    <message>
        <source>In step %1 the Euler position is too far from the axis to plot (%2 twips). Try a smaller time step.</source>
        <translation>در گام %1 مکان اویلر برای رسم بیش از اندازه از محور دور است (%2 توئیپ). گام زمانی کوچک‌تری را امتحان کنید.</translation>
    </message>
    <message>
        <source>In step %1 the exact position is too far from the axis to plot (%2 twips). Try a smaller time step.</source>
        <translation>در گام %1 مکان دقیق برای رسم بیش از اندازه از محور دور است (%2 توئیپ). گام زمانی کوچک‌تری را امتحان کنید.</translation>
    </message>
    <message>
        <source>The number in &quot;%1&quot; is too large: &quot;%2&quot;. Type a number between -1.7E+308 and 1.7E+308.</source>
        <translation>عدد «%1» بیش از اندازه بزرگ است: «%2». عددی میان منفی 1.7E+308 و 1.7E+308 بنویسید.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is empty. Type a number such as 1, -0.5 or 1e-3.</source>
        <translation>خانهٔ «%1» خالی است. عددی مانند 1، -0.5 یا 1e-3 بنویسید.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; does not hold a number: &quot;%2&quot;. Type a number such as 1, -0.5 or 1e-3.</source>
        <translation>آنچه در «%1» آمده عدد نیست: «%2». عددی مانند 1، -0.5 یا 1e-3 بنویسید.</translation>
    </message>
    <message>
        <source>The phase given by &quot;%1&quot; is beyond the range of a double. Try a smaller value.</source>
        <translation>فازی که «%1» می‌دهد بیرون از گسترهٔ عدد double است. مقدار کوچک‌تری را امتحان کنید.</translation>
    </message>
    <message>
        <source>The start velocity given by &quot;%1&quot; is beyond the range of a double. Try a smaller value.</source>
        <translation>سرعت آغازینی که «%1» می‌دهد بیرون از گسترهٔ عدد double است. مقدار کوچک‌تری را امتحان کنید.</translation>
    </message>
    <message>
        <source>The amplitude given by &quot;%1&quot; is beyond the range of a double. Try a smaller value.</source>
        <translation>دامنه‌ای که «%1» می‌دهد بیرون از گسترهٔ عدد double است. مقدار کوچک‌تری را امتحان کنید.</translation>
    </message>
    <message>
        <source>In step %1 the velocity left the range of a double. Try a smaller time step or smaller values.</source>
        <translation>در گام %1 سرعت از گسترهٔ عدد double بیرون رفت. گام زمانی یا مقدارهای کوچک‌تری را امتحان کنید.</translation>
    </message>
    <message>
        <source>In step %1 the position left the range of a double. Try a smaller time step or smaller values.</source>
        <translation>در گام %1 مکان از گسترهٔ عدد double بیرون رفت. گام زمانی یا مقدارهای کوچک‌تری را امتحان کنید.</translation>
    </message>
    <message>
        <source>In step %1 the time left the range of a double. Try a smaller time step or smaller values.</source>
        <translation>در گام %1 زمان از گسترهٔ عدد double بیرون رفت. گام زمانی یا مقدارهای کوچک‌تری را امتحان کنید.</translation>
    </message>
    <message>
        <source>Type mismatch</source>
        <translation>ناسازگاری نوع</translation>
    </message>
    <message>
        <source>File error</source>
        <translation>خطای پرونده</translation>
    </message>
    <message>
        <source>Overflow</source>
        <translation>سرریز</translation>
    </message>
    <message>
        <source>entry &quot;%1&quot;</source>
        <translation>خانهٔ «%1»</translation>
    </message>
    <message>
        <source>step %1</source>
        <translation>گام %1</translation>
    </message>
</context>
<context>
    <name>ShownPng</name>
    <message>
        <source>The image could not be written as PNG</source>
        <translation>نوشتن تصویر به‌صورت PNG ممکن نشد</translation>
    </message>
</context>
</TS>
