<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ru">
<context>
    <name>BeatMarks</name>
    <message>
        <source>эктопический</source>
        <translation>ectopic</translation>
    </message>
    <message>
        <source>длинный</source>
        <translation>long</translation>
    </message>
    <message>
        <source>короткий</source>
        <translation>short</translation>
    </message>
    <message>
        <source>пропущенный</source>
        <translation>missed</translation>
    </message>
    <message>
        <source>лишний</source>
        <translation>extra</translation>
    </message>
    <message>
        <source>порог</source>
        <translation>threshold</translation>
    </message>
</context>
<context>
    <name>Counted</name>
    <message>
        <source>удар</source>
        <translation>beat</translation>
    </message>
    <message>
        <source>удара</source>
        <translation>beats</translation>
    </message>
    <message>
        <source>ударов</source>
        <translation>beats</translation>
    </message>
</context>
<context>
    <name>EcgStrip</name>
    <message>
        <source>Удар %1, %2 · %3 · %4 мм/с, %5 мм/мВ</source>
        <translation>Beat %1, %2 · %3 · %4 mm/s, %5 mm/mV</translation>
    </message>
</context>
<context>
    <name>EditedBeats</name>
    <message>
        <source>исправлен</source>
        <translation>edited</translation>
    </message>
    <message>
        <source>интерполирован</source>
        <translation>interpolated</translation>
    </message>
    <message>
        <source>вставлен</source>
        <translation>inserted</translation>
    </message>
    <message>
        <source>сдвинут</source>
        <translation>moved</translation>
    </message>
    <message>
        <source>удалён перед ним</source>
        <translation>deleted before it</translation>
    </message>
    <message>
        <source>удалено перед ним: %1</source>
        <translation>deleted before it: %1</translation>
    </message>
</context>
<context>
    <name>GraphPrint</name>
    <message>
        <source>мс</source>
        <translation>ms</translation>
    </message>
    <message>
        <source>ИБ</source>
        <translation>IB</translation>
    </message>
    <message>
        <source>СИМ</source>
        <translation>SYM</translation>
    </message>
    <message>
        <source>ПАР</source>
        <translation>PAR</translation>
    </message>
    <message>
        <source>Средние значения</source>
        <translation>Mean values</translation>
    </message>
    <message>
        <source> мс</source>
        <translation> ms</translation>
    </message>
    <message>
        <source>Удары %1–%2 из %3, %4–%5 (%6)</source>
        <translation>Beats %1–%2 of %3, %4–%5 (%6)</translation>
    </message>
</context>
<context>
    <name>MeasureControls</name>
    <message>
        <source>%1 (%2 мс)</source>
        <translation>%1 (%2 ms)</translation>
    </message>
    <message>
        <source>Границы VLF, LF, HF и верхняя граница HF в Гц, по возрастанию, не выше 2 Гц</source>
        <translation>The VLF, LF and HF edges and HF&apos;s upper edge in Hz, increasing, at most 2 Hz</translation>
    </message>
    <message>
        <source>Коррекция &amp;артефактов:</source>
        <translation>&amp;Artifact correction:</translation>
    </message>
    <message>
        <source>&amp;Полосы, Гц:</source>
        <translation>&amp;Bands, Hz:</translation>
    </message>
    <message>
        <source>Границы VLF, LF и HF и верхняя граница HF</source>
        <translation>The VLF, LF and HF edges and HF&apos;s upper edge</translation>
    </message>
    <message>
        <source>Вычисление...</source>
        <translation>Computing...</translation>
    </message>
    <message>
        <source>Вычисление: %1 %</source>
        <translation>Computing: %1 %</translation>
    </message>
    <message>
        <source>автоматическая коррекция</source>
        <translation>automatic correction</translation>
    </message>
    <message>
        <source>коррекция при пороге %1 мс</source>
        <translation>corrected at %1 ms</translation>
    </message>
</context>
<context>
    <name>Messages</name>
    <message>
        <source>Фрагмент</source>
        <translation>Fragment</translation>
    </message>
    <message>
        <source>Нету порта</source>
        <translation>No port</translation>
    </message>
    <message>
        <source>Прибор подключен</source>
        <translation>Device connected</translation>
    </message>
    <message>
        <source>Прибор не подключен</source>
        <translation>Device not connected</translation>
    </message>
    <message>
        <source>Нет доступа к порту %1. Добавьте пользователя в группу dialout (sudo usermod -aG dialout $USER) и войдите в систему заново.</source>
        <translation>No access to port %1. Add the user to the dialout group (sudo usermod -aG dialout $USER) and log in again.</translation>
    </message>
    <message>
        <source>Нет датчика</source>
        <translation>No sensor</translation>
    </message>
    <message>
        <source>Нет пациента</source>
        <translation>No patient</translation>
    </message>
    <message>
        <source>Нет пульса</source>
        <translation>No pulse</translation>
    </message>
    <message>
        <source>Ограничение</source>
        <translation>Limit</translation>
    </message>
    <message>
        <source>Отказ датчика</source>
        <translation>Sensor failure</translation>
    </message>
    <message>
        <source>Максимальное количество RR-интервалов в одном фрагменте : </source>
        <translation>Maximum number of RR intervals in one fragment: </translation>
    </message>
    <message>
        <source>Запись 5-минутного фрагмента завершена</source>
        <translation>The 5-minute fragment has been recorded</translation>
    </message>
    <message>
        <source>Нет связи с прибором</source>
        <translation>No connection with the device</translation>
    </message>
    <message>
        <source>Ошибка</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Ошибка чтения файла конфигурации. Будут установлены параметры &quot;по умолчанию&quot;</source>
        <translation>Error reading the settings file. The default settings will be used</translation>
    </message>
    <message>
        <source>Датчик подключен</source>
        <translation>Strap connected</translation>
    </message>
    <message>
        <source>Датчик не подключен</source>
        <translation>Strap not connected</translation>
    </message>
    <message>
        <source>Адаптер Bluetooth не найден или служба BlueZ не запущена</source>
        <translation>No Bluetooth adapter found, or the BlueZ service is not running</translation>
    </message>
</context>
<context>
    <name>ReportPaint</name>
    <message>
        <source>NN,c</source>
        <translation>NN,s</translation>
    </message>
    <message>
        <source>t,c</source>
        <translation>t,s</translation>
    </message>
    <message>
        <source>Ритмограмма</source>
        <translation>Rhythmogram</translation>
    </message>
    <message>
        <source>NN i-1,c</source>
        <translation>NN i-1,s</translation>
    </message>
    <message>
        <source>NNi,c</source>
        <translation>NNi,s</translation>
    </message>
    <message>
        <source>Скатерограмма</source>
        <translation>Scatterogram</translation>
    </message>
    <message>
        <source>N,ед</source>
        <translation>N</translation>
    </message>
    <message>
        <source>Гистограмма</source>
        <translation>Histogram</translation>
    </message>
    <message>
        <source>F,Гц</source>
        <translation>F,Hz</translation>
    </message>
    <message>
        <source>Спектр</source>
        <translation>Spectrum</translation>
    </message>
    <message>
        <source>Компоненты спектра</source>
        <translation>Spectral components</translation>
    </message>
    <message>
        <source> мс</source>
        <translation> ms</translation>
    </message>
    <message>
        <source> уд/мин</source>
        <translation> bpm</translation>
    </message>
    <message>
        <source>мс²/Гц</source>
        <translation>ms²/Hz</translation>
    </message>
    <message>
        <source> мс²</source>
        <translation> ms²</translation>
    </message>
    <message>
        <source>Moda</source>
        <translation>Mode</translation>
    </message>
</context>
<context>
    <name>StandardPage</name>
    <message>
        <source>Диаграмма Пуанкаре</source>
        <translation>Poincaré plot</translation>
    </message>
    <message>
        <source>RRi+1, мс</source>
        <translation>RRi+1, ms</translation>
    </message>
    <message>
        <source>RRi, мс</source>
        <translation>RRi, ms</translation>
    </message>
    <message>
        <source>Спектр (Уэлч)</source>
        <translation>Spectrum (Welch)</translation>
    </message>
    <message>
        <source>10³ мс²/Гц</source>
        <translation>10³ ms²/Hz</translation>
    </message>
    <message>
        <source>мс²/Гц</source>
        <translation>ms²/Hz</translation>
    </message>
    <message>
        <source>F, Гц</source>
        <translation>F, Hz</translation>
    </message>
    <message>
        <source>Ритмограмма</source>
        <translation>Rhythmogram</translation>
    </message>
    <message>
        <source>RR, мс</source>
        <translation>RR, ms</translation>
    </message>
    <message>
        <source>t, с</source>
        <translation>t, s</translation>
    </message>
    <message>
        <source>Стандартные показатели</source>
        <translation>Standard measures</translation>
    </message>
    <message>
        <source>Средний RR, мс</source>
        <translation>Mean RR, ms</translation>
    </message>
    <message>
        <source>SDNN, мс</source>
        <translation>SDNN, ms</translation>
    </message>
    <message>
        <source>ЧСС, уд/мин</source>
        <translation>HR, bpm</translation>
    </message>
    <message>
        <source>RMSSD, мс</source>
        <translation>RMSSD, ms</translation>
    </message>
    <message>
        <source>SD1, мс</source>
        <translation>SD1, ms</translation>
    </message>
    <message>
        <source>SD2, мс</source>
        <translation>SD2, ms</translation>
    </message>
    <message>
        <source>VLF, мс²</source>
        <translation>VLF, ms²</translation>
    </message>
    <message>
        <source>LF, мс²</source>
        <translation>LF, ms²</translation>
    </message>
    <message>
        <source>HF, мс²</source>
        <translation>HF, ms²</translation>
    </message>
    <message>
        <source>Общая мощность, мс²</source>
        <translation>Total power, ms²</translation>
    </message>
    <message>
        <source>LF, н.е.</source>
        <translation>LF, n.u.</translation>
    </message>
    <message>
        <source>HF, н.е.</source>
        <translation>HF, n.u.</translation>
    </message>
    <message>
        <source>Пик LF, Гц</source>
        <translation>LF peak, Hz</translation>
    </message>
    <message>
        <source>Пик HF, Гц</source>
        <translation>HF peak, Hz</translation>
    </message>
    <message>
        <source>скорректированы</source>
        <translation>corrected</translation>
    </message>
    <message>
        <source>без коррекции</source>
        <translation>not corrected</translation>
    </message>
    <message>
        <source>Артефакты: %1 (%2 %)</source>
        <translation>Artifacts: %1 (%2 %)</translation>
    </message>
    <message>
        <source>при пороге %1 мс, %2</source>
        <translation>threshold %1 ms, %2</translation>
    </message>
    <message>
        <source>Все интервалы фрагмента — артефакты: стандартные показатели не вычислены</source>
        <translation>All intervals of the fragment are artifacts: standard measures not computed</translation>
    </message>
    <message>
        <source>Стандартные показатели не вычислены: во фрагменте слишком мало интервалов</source>
        <translation>Standard measures not computed: too few intervals in the fragment</translation>
    </message>
    <message>
        <source>Очень слабая</source>
        <translation>Very weak</translation>
    </message>
    <message>
        <source>Слабая</source>
        <translation>Weak</translation>
    </message>
    <message>
        <source>Средняя</source>
        <translation>Medium</translation>
    </message>
    <message>
        <source>Сильная</source>
        <translation>Strong</translation>
    </message>
    <message>
        <source>Очень сильная</source>
        <translation>Very strong</translation>
    </message>
    <message>
        <source>Без коррекции</source>
        <translation>No correction</translation>
    </message>
    <message>
        <source>интервалы: точные</source>
        <translation>intervals: exact</translation>
    </message>
    <message>
        <source>интервалы: с шагом 10 мс</source>
        <translation>intervals: in 10 ms steps</translation>
    </message>
    <message>
        <source>● скорректированы</source>
        <translation>● corrected</translation>
    </message>
    <message>
        <source>● артефакты</source>
        <translation>● artifacts</translation>
    </message>
    <message>
        <source>Уэлч: кубический сплайн 4 Гц, окна Ханна по 256 точек</source>
        <translation>Welch, 4 Hz cubic spline, 256-sample Hann segments</translation>
    </message>
    <message>
        <source>t, мин</source>
        <translation>t, min</translation>
    </message>
    <message>
        <source>ЧСС</source>
        <translation>HR</translation>
    </message>
    <message>
        <source>уд/мин</source>
        <translation>bpm</translation>
    </message>
    <message>
        <source>мс</source>
        <translation>ms</translation>
    </message>
    <message>
        <source>Средний RR</source>
        <translation>Mean RR</translation>
    </message>
    <message>
        <source>мс²</source>
        <translation>ms²</translation>
    </message>
    <message>
        <source>Общая мощность</source>
        <translation>Total power</translation>
    </message>
    <message>
        <source>н.е.</source>
        <translation>n.u.</translation>
    </message>
    <message>
        <source>Этап %1</source>
        <translation>Stage %1</translation>
    </message>
    <message>
        <source>Изменение</source>
        <translation>Change</translation>
    </message>
    <message>
        <source>Начало, с</source>
        <translation>Start, s</translation>
    </message>
    <message>
        <source>Длительность, с</source>
        <translation>Duration, s</translation>
    </message>
    <message>
        <source>Интервалов</source>
        <translation>Intervals</translation>
    </message>
    <message>
        <source>VLF, LF, HF: %1 Гц; %2</source>
        <translation>VLF, LF, HF: %1 Hz; %2</translation>
    </message>
    <message>
        <source>Нет значений: спектру нужны окна длиннее 64 с</source>
        <translation>No values: the spectrum needs windows longer than 64 s</translation>
    </message>
    <message>
        <source>Нет значений: в окнах слишком мало интервалов для этого показателя</source>
        <translation>No values: the windows hold too few intervals for this measure</translation>
    </message>
    <message>
        <source>Начало, время</source>
        <translation>Start, clock time</translation>
    </message>
    <message>
        <source>время</source>
        <translation>clock time</translation>
    </message>
    <message>
        <source>Этап %1: %2</source>
        <translation>Stage %1: %2</translation>
    </message>
    <message>
        <source>автоматическая коррекция, исправлено %1</source>
        <translation>automatic correction, %1 corrected</translation>
    </message>
    <message>
        <source>исправлено ударов: %1</source>
        <translation>beats edited: %1</translation>
    </message>
    <message>
        <source>Автоматическая</source>
        <translation>Automatic</translation>
    </message>
</context>
<context>
    <name>TrainingPageText</name>
    <message>
        <source>ЧСС, уд/мин</source>
        <translation>HR, bpm</translation>
    </message>
    <message>
        <source>Когерентность</source>
        <translation>Coherence</translation>
    </message>
</context>
<context>
    <name>TrainingText</name>
    <message>
        <source>%1 мин</source>
        <translation>%1 min</translation>
    </message>
    <message>
        <source>%1 с</source>
        <translation>%1 s</translation>
    </message>
    <message>
        <source> уд/мин</source>
        <translation> bpm</translation>
    </message>
    <message>
        <source>Длительность</source>
        <translation>Duration</translation>
    </message>
    <message>
        <source>Средняя ЧСС</source>
        <translation>Mean HR</translation>
    </message>
    <message>
        <source>Средний RMSSD (60 с)</source>
        <translation>Mean RMSSD (60 s)</translation>
    </message>
    <message>
        <source> мс</source>
        <translation> ms</translation>
    </message>
    <message>
        <source>Когерентность средняя</source>
        <translation>Mean coherence</translation>
    </message>
    <message>
        <source>Когерентность наибольшая</source>
        <translation>Maximum coherence</translation>
    </message>
    <message>
        <source>Время с когерентностью не ниже %1</source>
        <translation>Time with coherence of %1 or more</translation>
    </message>
    <message>
        <source>Средняя амплитуда ЧСС</source>
        <translation>Mean HR amplitude</translation>
    </message>
</context>
<context>
    <name>trivant::AboutDialog</name>
    <message>
        <source>О программе</source>
        <translation>About</translation>
    </message>
    <message>
        <source>ТРИВАНТ</source>
        <translation>TRIVANT</translation>
    </message>
    <message>
        <source>Анализ вариабельности ритма сердца</source>
        <translation>Heart rate variability analysis</translation>
    </message>
    <message>
        <source>Версия %1</source>
        <translation>Version %1</translation>
    </message>
    <message>
        <source>2005 - 2023 г</source>
        <translation>2005 - 2023</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>trivant::ColourDialog</name>
    <message>
        <source>Цвет</source>
        <translation>Colour</translation>
    </message>
    <message>
        <source>ОК</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>trivant::CommentDialog</name>
    <message>
        <source>Введите комментарий</source>
        <translation>Enter a comment</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>trivant::FragmentPicker</name>
    <message>
        <source>Выбор 5-минутного фрагмента</source>
        <translation>Choose a 5-minute fragment</translation>
    </message>
    <message>
        <source>Фрагмент : </source>
        <translation>Fragment: </translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Щёлкните по ритмограмме там, где начинается фрагмент; полоса под ней листает запись.</source>
        <translation>Click the rhythmogram where the fragment begins; the bar below it scrolls the recording.</translation>
    </message>
    <message>
        <source>Фрагмент выходит за конец записи: последнее возможное начало %1</source>
        <translation>The fragment runs past the end of the recording: the latest possible start is %1</translation>
    </message>
    <message>
        <source>Запись короче 5 минут: фрагмент не помещается.</source>
        <translation>The recording is shorter than 5 minutes: no fragment fits.</translation>
    </message>
    <message>
        <source>Начало в :</source>
        <translation>Start at:</translation>
    </message>
    <message>
        <source>чч:мм:сс</source>
        <translation>hh:mm:ss</translation>
    </message>
    <message>
        <source>Время начала пишется как чч:мм или чч:мм:сс</source>
        <translation>Type the start time as hh:mm or hh:mm:ss</translation>
    </message>
</context>
<context>
    <name>trivant::MainWindow</name>
    <message>
        <source>Ормикс-01</source>
        <translation>Ormiks-01</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Открыть файл</source>
        <translation>Open file</translation>
    </message>
    <message>
        <source>&amp;Открыть...</source>
        <translation>&amp;Open...</translation>
    </message>
    <message>
        <source>Сохранить файл</source>
        <translation>Save file</translation>
    </message>
    <message>
        <source>&amp;Сохранить...</source>
        <translation>&amp;Save...</translation>
    </message>
    <message>
        <source>Печать</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>&amp;Печать</source>
        <translation>&amp;Print</translation>
    </message>
    <message>
        <source>Настройки принтера</source>
        <translation>Printer setup</translation>
    </message>
    <message>
        <source>&amp;Настройки принтера...</source>
        <translation>Printer set&amp;up...</translation>
    </message>
    <message>
        <source>Начать запись</source>
        <translation>Start recording</translation>
    </message>
    <message>
        <source>С&amp;тарт</source>
        <translation>S&amp;tart</translation>
    </message>
    <message>
        <source>Остановить запись</source>
        <translation>Stop recording</translation>
    </message>
    <message>
        <source>Сто&amp;п</source>
        <translation>Sto&amp;p</translation>
    </message>
    <message>
        <source>Метка</source>
        <translation>Label</translation>
    </message>
    <message>
        <source>&amp;Метка</source>
        <translation>&amp;Label</translation>
    </message>
    <message>
        <source>Параметры</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>П&amp;араметры...</source>
        <translation>&amp;Options...</translation>
    </message>
    <message>
        <source>Комментарий</source>
        <translation>Comment</translation>
    </message>
    <message>
        <source>О программе</source>
        <translation>About</translation>
    </message>
    <message>
        <source>&amp;Анализ фрагмента...</source>
        <translation>&amp;Fragment analysis...</translation>
    </message>
    <message>
        <source>&amp;Выход</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>&amp;Файл</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>&amp;Запись</source>
        <translation>&amp;Recording</translation>
    </message>
    <message>
        <source>&amp;Окно</source>
        <translation>&amp;Window</translation>
    </message>
    <message>
        <source>&amp;Следующее</source>
        <translation>&amp;Next</translation>
    </message>
    <message>
        <source>&amp;Предыдущее</source>
        <translation>&amp;Previous</translation>
    </message>
    <message>
        <source>&amp;Каскад</source>
        <translation>&amp;Cascade</translation>
    </message>
    <message>
        <source>Панель инструментов</source>
        <translation>Tool bar</translation>
    </message>
    <message>
        <source>Ошибка</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Не удалось напечатать страницу</source>
        <translation>The page could not be printed</translation>
    </message>
    <message>
        <source>Не удалось записать файл %1</source>
        <translation>The file %1 could not be written</translation>
    </message>
    <message>
        <source>Принтер не найден. Сохранить страницу в файл PDF?</source>
        <translation>No printer found. Save the page as a PDF file?</translation>
    </message>
    <message>
        <source>Сохранить</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Сохранить в PDF</source>
        <translation>Save as PDF</translation>
    </message>
    <message>
        <source>Документ PDF (*.pdf)</source>
        <translation>PDF document (*.pdf)</translation>
    </message>
    <message>
        <source>Подтверждение</source>
        <translation>Confirmation</translation>
    </message>
    <message>
        <source>Файл %1 существует. Переписать?</source>
        <translation>The file %1 exists. Overwrite it?</translation>
    </message>
    <message>
        <source>Переписать</source>
        <translation>Overwrite</translation>
    </message>
    <message>
        <source>Отменить</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Недостаточно данных для спектрального анализа</source>
        <translation>Not enough data for spectral analysis</translation>
    </message>
    <message>
        <source>Закрыть</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Не удалось сохранить параметры в файл %1</source>
        <translation>The settings could not be saved to the file %1</translation>
    </message>
    <message>
        <source>Запись «%1» не сохранена. Сохранить её перед закрытием?</source>
        <translation>The recording “%1” is not saved. Save it before closing?</translation>
    </message>
    <message>
        <source>Не сохранять</source>
        <translation>Don&apos;t save</translation>
    </message>
    <message>
        <source>Запись ещё идёт. Остановить её и сохранить перед закрытием?</source>
        <translation>Recording is still running. Stop and save it before closing?</translation>
    </message>
    <message>
        <source>Файл NN-интервалов (*.rr)</source>
        <translation>NN interval file (*.rr)</translation>
    </message>
    <message>
        <source>Текстовый файл (*.txt)</source>
        <translation>Text file (*.txt)</translation>
    </message>
    <message>
        <source>В файле %1 не удалось прочитать строк: %2 (первая из них — строка %3). Они пропущены.</source>
        <translation>Lines of the file %1 that could not be read: %2 (the first is line %3). They were skipped.</translation>
    </message>
    <message>
        <source> Пропущенная строка %1 относилась к отмеченному интервалу; метка перенесена на следующий интервал (строка %2).</source>
        <translation> The skipped line %1 belonged to a labelled interval; the label moved to the next interval (line %2).</translation>
    </message>
    <message>
        <source> Всего перенесено меток: %1.</source>
        <translation> Labels moved in all: %1.</translation>
    </message>
    <message>
        <source> Пропущенная строка %1 относилась к отмеченному интервалу, а после неё интервалов нет; эта метка не загружена.</source>
        <translation> The skipped line %1 belonged to a labelled interval with no interval after it; that label was not loaded.</translation>
    </message>
    <message>
        <source>%1В файле %2 больше %3 интервалов; загружены первые %3.</source>
        <translation>%1The file %2 holds more than %3 intervals; the first %3 were loaded.</translation>
    </message>
    <message>
        <source>Файл %1 не найден</source>
        <translation>The file %1 was not found</translation>
    </message>
    <message>
        <source>Не удалось прочитать файл %1</source>
        <translation>The file %1 could not be read</translation>
    </message>
    <message>
        <source>Предупреждение</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>Не удалось сохранить файл %1</source>
        <translation>The file %1 could not be saved</translation>
    </message>
    <message>
        <source>&amp;Масштаб</source>
        <translation>&amp;Scale</translation>
    </message>
    <message>
        <source>Ритмограмма</source>
        <translation>Rhythmogram</translation>
    </message>
    <message>
        <source>200..1200 мс</source>
        <translation>200..1200 ms</translation>
    </message>
    <message>
        <source>300..1300 мс</source>
        <translation>300..1300 ms</translation>
    </message>
    <message>
        <source>400..1400 мс</source>
        <translation>400..1400 ms</translation>
    </message>
    <message>
        <source>500..1500 мс</source>
        <translation>500..1500 ms</translation>
    </message>
    <message>
        <source>600..1600 мс</source>
        <translation>600..1600 ms</translation>
    </message>
    <message>
        <source>200..2200 мс</source>
        <translation>200..2200 ms</translation>
    </message>
    <message>
        <source>СИМ, ПАР, SDNN</source>
        <translation>SYM, PAR, SDNN</translation>
    </message>
    <message>
        <source>ИБ</source>
        <translation>IB</translation>
    </message>
    <message>
        <source>По горизонтали</source>
        <translation>Horizontal</translation>
    </message>
    <message>
        <source>х1</source>
        <translation>x1</translation>
    </message>
    <message>
        <source>х2</source>
        <translation>x2</translation>
    </message>
    <message>
        <source>х4</source>
        <translation>x4</translation>
    </message>
    <message>
        <source>Список RR-интервалов (*.txt *.csv)</source>
        <translation>RR interval list (*.txt *.csv)</translation>
    </message>
    <message>
        <source>Это не файл .rr, не текстовый файл, не список RR-интервалов в мс и не CSV-файл со столбцом RR.</source>
        <translation>This is not a .rr file, a text file, a list of RR intervals in ms or a CSV file with an RR column.</translation>
    </message>
    <message>
        <source>Строка %1: %2</source>
        <translation>Line %1: %2</translation>
    </message>
    <message>
        <source>Недавние &amp;файлы</source>
        <translation>&amp;Recent files</translation>
    </message>
    <message>
        <source>Запись на диск невозможна: %1
%2
Запись продолжается в памяти; сохраните её, когда на диске будет место.</source>
        <translation>Cannot write to disk: %1
%2
The recording goes on in memory; save it once the disk has room.</translation>
    </message>
    <message>
        <source>Восстановить</source>
        <translation>Recover</translation>
    </message>
    <message>
        <source>Удалить</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>Позже</source>
        <translation>Later</translation>
    </message>
    <message>
        <source>Восстановленная запись (начата %1)</source>
        <translation>Recovered recording (started %1)</translation>
    </message>
    <message>
        <source>Таблица CSV (*.csv)</source>
        <translation>CSV table (*.csv)</translation>
    </message>
    <message>
        <source>&amp;Экспорт показателей (CSV)...</source>
        <translation>&amp;Export the measures (CSV)...</translation>
    </message>
    <message>
        <source>Экспорт показателей (CSV)</source>
        <translation>Export the measures (CSV)</translation>
    </message>
    <message>
        <source>Анализ фрагмента</source>
        <translation>Fragment analysis</translation>
    </message>
    <message>
        <source>Стандартные &amp;показатели</source>
        <translation>Standard &amp;measures</translation>
    </message>
    <message>
        <source>Спектр строится по фрагменту 5 минут: нужно не менее %1 с интервалов, а в записи %2 с.</source>
        <translation>A spectrum is computed over a 5-minute fragment: at least %1 s of intervals are needed, and the recording has %2 s.</translation>
    </message>
    <message>
        <source>Показатели всей записи во временной области (интервалов: %1):</source>
        <translation>Time-domain measures of the whole recording (%1 intervals):</translation>
    </message>
    <message>
        <source>%1: подключение...</source>
        <translation>%1: connecting...</translation>
    </message>
    <message>
        <source>%1, заряд батареи %2 %</source>
        <translation>%1, battery %2 %</translation>
    </message>
    <message>
        <source>Не удалось сохранить выбор датчика в файл %1</source>
        <translation>Could not save the strap choice to the file %1</translation>
    </message>
    <message>
        <source>&amp;Тренд показателей...</source>
        <translation>&amp;Trend of the measures...</translation>
    </message>
    <message>
        <source>Тренд показателей: %1</source>
        <translation>Trend of the measures: %1</translation>
    </message>
    <message>
        <source>Сравнение &amp;этапов...</source>
        <translation>Compare &amp;stages...</translation>
    </message>
    <message>
        <source>Сравнение этапов: %1</source>
        <translation>Stage comparison: %1</translation>
    </message>
    <message>
        <source>Все файлы (*)</source>
        <translation>All files (*)</translation>
    </message>
    <message>
        <source>Формат .rr не хранит комментарий, а интервалы хранит с шагом 10 мс: комментарий будет потерян, точные значения будут округлены. Сохраняет всё только CSV. Сохранить в формате .rr?</source>
        <translation>The .rr format keeps no comment and keeps intervals in 10 ms steps: the comment will be lost and the exact values rounded. Only CSV keeps everything. Save as .rr?</translation>
    </message>
    <message>
        <source>Формат .rr не хранит комментарий: он будет потерян. Комментарий сохраняют текстовый файл и CSV. Сохранить в формате .rr?</source>
        <translation>The .rr format keeps no comment: it will be lost. A text file and CSV keep the comment. Save as .rr?</translation>
    </message>
    <message>
        <source>Формат %1 хранит интервалы с шагом 10 мс: точные значения будут округлены. Сохранить в этом формате?</source>
        <translation>The %1 format keeps intervals in 10 ms steps: the exact values will be rounded. Save in this format?</translation>
    </message>
    <message>
        <source>Другой тип</source>
        <translation>Other format</translation>
    </message>
    <message>
        <source>Автоматически</source>
        <translation>Automatic</translation>
    </message>
    <message>
        <source>Найдена незавершённая запись, начатая %1: %2.
Папка: %3
Восстановить её?</source>
        <translation>An unfinished recording was found, started %1: %2.
Folder: %3
Recover it?</translation>
    </message>
    <message>
        <source>Удалить незавершённую запись, начатую %1, безвозвратно?</source>
        <translation>Delete the unfinished recording started %1 for good?</translation>
    </message>
    <message>
        <source>Это не запись, которую читает Trivant: файл формата %1.</source>
        <translation>Not a recording Trivant reads: a file in %1 format.</translation>
    </message>
    <message>
        <source>Это не запись, которую читает Trivant: SpO2 больше 100 % в большинстве слов (%1 из %2).</source>
        <translation>Not a recording Trivant reads: SpO2 above 100 % in most words (%1 of %2).</translation>
    </message>
    <message>
        <source>Восстановление</source>
        <translation>Recovery</translation>
    </message>
    <message>
        <source>Не все точные интервалы успели записаться на диск: интервалы восстановлены с шагом 10 мс, округлено: %1.</source>
        <translation>Not all exact intervals reached the disk: the intervals are recovered in 10 ms steps, %1 of them rounded.</translation>
    </message>
    <message>
        <source>Формат %1 вмещает не больше %2 интервалов, а в записи их %3. Всю запись сохраняет таблица CSV. Сохранить её как таблицу CSV?</source>
        <translation>The %1 format holds at most %2 intervals, and the recording has %3. A CSV table keeps the whole recording. Save it as a CSV table?</translation>
    </message>
    <message>
        <source>Таблица CSV</source>
        <translation>CSV table</translation>
    </message>
    <message>
        <source>Вся запись</source>
        <translation>Whole recording</translation>
    </message>
    <message>
        <source>Формат %1 не хранит названия меток: метки останутся без них.</source>
        <translation>The %1 format keeps no label names: the labels will stay without them.</translation>
    </message>
    <message>
        <source>Названия сохраняет только CSV. Сохранить в этом формате?</source>
        <translation>Only CSV keeps the names. Save in this format?</translation>
    </message>
    <message>
        <source>Название метки</source>
        <translation>Label name</translation>
    </message>
    <message>
        <source>Название (пустое — метка без названия):</source>
        <translation>Name (empty: a label without a name):</translation>
    </message>
    <message>
        <source>Назвать</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Все записи (*.rr *.txt *.csv *.hea *.edf *.bdf *.gdf)</source>
        <translation>All recordings (*.rr *.txt *.csv *.hea *.edf *.bdf *.gdf)</translation>
    </message>
    <message>
        <source>Записи ЭКГ (*.hea *.edf *.bdf *.gdf)</source>
        <translation>ECG records (*.hea *.edf *.bdf *.gdf)</translation>
    </message>
    <message>
        <source>Поиск сокращений в ЭКГ…</source>
        <translation>Finding heartbeats in the ECG…</translation>
    </message>
    <message>
        <source>Канал ЭКГ, в котором искать сокращения:</source>
        <translation>ECG channel to find heartbeats in:</translation>
    </message>
    <message>
        <source>&amp;Правка</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>&amp;Отменить</source>
        <translation>&amp;Undo</translation>
    </message>
    <message>
        <source>&amp;Повторить</source>
        <translation>&amp;Redo</translation>
    </message>
    <message>
        <source>Просмотр &amp;артефактов</source>
        <translation>&amp;Artifact review</translation>
    </message>
    <message>
        <source>Формат %1 не хранит правку ударов: сохранятся исправленные интервалы, без отметок правки, исходных интервалов и удалённых ударов.</source>
        <translation>The %1 format does not keep beat edits: the corrected intervals are saved, without the edit marks, the original intervals and the deleted beats.</translation>
    </message>
    <message>
        <source>Всё это сохраняет только CSV. Сохранить в этом формате?</source>
        <translation>Only CSV keeps all of it. Save in this format?</translation>
    </message>
    <message>
        <source>Тренинг &amp;дыхания...</source>
        <translation>&amp;Breathing training...</translation>
    </message>
    <message>
        <source>Тренинг дыхания: %1</source>
        <translation>Breathing training: %1</translation>
    </message>
</context>
<context>
    <name>trivant::MessageBox</name>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>trivant::OptionsDialog</name>
    <message>
        <source>Одинарная</source>
        <translation>Single</translation>
    </message>
    <message>
        <source>Ормис-001</source>
        <translation>Ormis-001</translation>
    </message>
    <message>
        <source>Параметры</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>График</source>
        <translation>Graph</translation>
    </message>
    <message>
        <source>Гистограмма</source>
        <translation>Histogram</translation>
    </message>
    <message>
        <source>Системные</source>
        <translation>System</translation>
    </message>
    <message>
        <source>Компенсация выборки при вычислении ИБ</source>
        <translation>Compensate sample size in IB</translation>
    </message>
    <message>
        <source>Автоматически завершать запись через 5 мин.</source>
        <translation>Stop recording after 5 min automatically</translation>
    </message>
    <message>
        <source>Автоматически сохранять параметры</source>
        <translation>Save the options automatically</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Ритмограмма</source>
        <translation>Rhythmogram</translation>
    </message>
    <message>
        <source>График СИМ</source>
        <translation>SYM graph</translation>
    </message>
    <message>
        <source>График ПАР</source>
        <translation>PAR graph</translation>
    </message>
    <message>
        <source>График SpO2</source>
        <translation>SpO2 graph</translation>
    </message>
    <message>
        <source>График SDNN</source>
        <translation>SDNN graph</translation>
    </message>
    <message>
        <source>График ИБ</source>
        <translation>IB graph</translation>
    </message>
    <message>
        <source>Метки</source>
        <translation>Labels</translation>
    </message>
    <message>
        <source>Двойная</source>
        <translation>Double</translation>
    </message>
    <message>
        <source>Толщина линий</source>
        <translation>Line width</translation>
    </message>
    <message>
        <source>Выборка</source>
        <translation>Sample</translation>
    </message>
    <message>
        <source>Ширина столбца</source>
        <translation>Bar width</translation>
    </message>
    <message>
        <source>Ормикс-01</source>
        <translation>Ormiks-01</translation>
    </message>
    <message>
        <source>Прибор</source>
        <translation>Device</translation>
    </message>
    <message>
        <source>Порт</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>Скорость</source>
        <translation>Speed</translation>
    </message>
    <message>
        <source>Нагрудный датчик (Bluetooth)</source>
        <translation>Chest strap (Bluetooth)</translation>
    </message>
    <message>
        <source>Найти датчики</source>
        <translation>Find straps</translation>
    </message>
    <message>
        <source>Датчик</source>
        <translation>Strap</translation>
    </message>
    <message>
        <source>Поиск датчиков...</source>
        <translation>Looking for straps...</translation>
    </message>
    <message>
        <source>Датчики не найдены: включите датчик и наденьте его, затем повторите поиск</source>
        <translation>No straps found: switch the strap on and put it on, then search again</translation>
    </message>
</context>
<context>
    <name>trivant::RecordingWindow</name>
    <message>
        <source>NN, мс</source>
        <translation>NN, ms</translation>
    </message>
    <message>
        <source>СИМ</source>
        <translation>SYM</translation>
    </message>
    <message>
        <source>ПАР</source>
        <translation>PAR</translation>
    </message>
    <message>
        <source>ИБ</source>
        <translation>IB</translation>
    </message>
    <message>
        <source>Среднее</source>
        <translation>Mean</translation>
    </message>
    <message>
        <source>ВР</source>
        <translation>DX</translation>
    </message>
    <message>
        <source>Время</source>
        <translation>Time</translation>
    </message>
    <message>
        <source> мс</source>
        <translation> ms</translation>
    </message>
    <message>
        <source>Идет запись...</source>
        <translation>Recording...</translation>
    </message>
    <message>
        <source>Новая запись</source>
        <translation>New recording</translation>
    </message>
    <message>
        <source>Масштаб по горизонтали : x1</source>
        <translation>Horizontal scale: x1</translation>
    </message>
    <message>
        <source>Масштаб по горизонтали : x2</source>
        <translation>Horizontal scale: x2</translation>
    </message>
    <message>
        <source>Масштаб по горизонтали : x4</source>
        <translation>Horizontal scale: x4</translation>
    </message>
    <message>
        <source>200-1200 мс</source>
        <translation>200-1200 ms</translation>
    </message>
    <message>
        <source>300..1300 мс</source>
        <translation>300..1300 ms</translation>
    </message>
    <message>
        <source>400..1400 мс</source>
        <translation>400..1400 ms</translation>
    </message>
    <message>
        <source>500..1500 мс</source>
        <translation>500..1500 ms</translation>
    </message>
    <message>
        <source>600..1600 мс</source>
        <translation>600..1600 ms</translation>
    </message>
    <message>
        <source>200..2200 мс</source>
        <translation>200..2200 ms</translation>
    </message>
    <message>
        <source>График SpO2</source>
        <translation>SpO2 graph</translation>
    </message>
    <message>
        <source>Ритмограмма</source>
        <translation>Rhythmogram</translation>
    </message>
    <message>
        <source>Метки</source>
        <translation>Labels</translation>
    </message>
    <message>
        <source>График СИМ</source>
        <translation>SYM graph</translation>
    </message>
    <message>
        <source>График ПАР</source>
        <translation>PAR graph</translation>
    </message>
    <message>
        <source>График SDNN</source>
        <translation>SDNN graph</translation>
    </message>
    <message>
        <source>График ИБ</source>
        <translation>IB graph</translation>
    </message>
    <message>
        <source>Moda</source>
        <translation>Mode</translation>
    </message>
    <message>
        <source>Автоматически</source>
        <translation>Automatic</translation>
    </message>
    <message>
        <source>С начала записи: %1</source>
        <translation>From the start of the recording: %1</translation>
    </message>
    <message>
        <source>Масштаб по горизонтали : 1/2</source>
        <translation>Horizontal scale: 1/2</translation>
    </message>
    <message>
        <source>Масштаб по горизонтали : 1/4</source>
        <translation>Horizontal scale: 1/4</translation>
    </message>
    <message>
        <source>Масштаб по горизонтали : 1/8</source>
        <translation>Horizontal scale: 1/8</translation>
    </message>
    <message>
        <source>Масштаб по горизонтали : 1/16</source>
        <translation>Horizontal scale: 1/16</translation>
    </message>
    <message>
        <source>Масштаб по горизонтали : 1/32</source>
        <translation>Horizontal scale: 1/32</translation>
    </message>
    <message>
        <source>Масштаб по горизонтали : 1/64</source>
        <translation>Horizontal scale: 1/64</translation>
    </message>
    <message>
        <source>Масштаб по горизонтали : 1/128</source>
        <translation>Horizontal scale: 1/128</translation>
    </message>
    <message>
        <source>Масштаб по горизонтали : вся запись</source>
        <translation>Horizontal scale: whole recording</translation>
    </message>
    <message>
        <source>Ось времени</source>
        <translation>Time axis</translation>
    </message>
    <message>
        <source>постановку метки</source>
        <translation>label placement</translation>
    </message>
    <message>
        <source>снятие метки</source>
        <translation>label removal</translation>
    </message>
    <message>
        <source>Поставить метку</source>
        <translation>Put a label</translation>
    </message>
    <message>
        <source>Снять метку</source>
        <translation>Remove the label</translation>
    </message>
    <message>
        <source>Отменить</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>Повторить</source>
        <translation>Redo</translation>
    </message>
    <message>
        <source>Назвать метку...</source>
        <translation>Name the label...</translation>
    </message>
    <message>
        <source>название метки</source>
        <translation>label name</translation>
    </message>
    <message>
        <source>Вставить удар здесь</source>
        <translation>Insert beat here</translation>
    </message>
    <message>
        <source>вставку удара</source>
        <translation>beat insertion</translation>
    </message>
    <message>
        <source>перемещение удара</source>
        <translation>beat move</translation>
    </message>
    <message>
        <source>Удалить удар</source>
        <translation>Delete beat</translation>
    </message>
    <message>
        <source>Вставить удар</source>
        <translation>Insert beat</translation>
    </message>
    <message>
        <source>Вернуть как было</source>
        <translation>Restore as recorded</translation>
    </message>
    <message>
        <source>Просмотр артефактов</source>
        <translation>Artifact review</translation>
    </message>
    <message>
        <source>Исправить все</source>
        <translation>Correct all</translation>
    </message>
    <message>
        <source>Следующий артефакт</source>
        <translation>Next artifact</translation>
    </message>
    <message>
        <source>Предыдущий артефакт</source>
        <translation>Previous artifact</translation>
    </message>
    <message>
        <source>исправление всех артефактов</source>
        <translation>correction of all artifacts</translation>
    </message>
    <message>
        <source>исправление удара</source>
        <translation>beat correction</translation>
    </message>
    <message>
        <source>удаление удара</source>
        <translation>beat deletion</translation>
    </message>
    <message>
        <source>возврат удара</source>
        <translation>beat restore</translation>
    </message>
</context>
<context>
    <name>trivant::ReportWindow</name>
    <message>
        <source>Отчёт</source>
        <translation>Report</translation>
    </message>
    <message>
        <source>Стандартные показатели</source>
        <translation>Standard measures</translation>
    </message>
    <message>
        <source>Экспорт показателей (CSV)...</source>
        <translation>Export the measures (CSV)...</translation>
    </message>
</context>
<context>
    <name>trivant::ResonancePanel</name>
    <message>
        <source>Поиск резонансной частоты</source>
        <translation>Find resonance frequency</translation>
    </message>
    <message>
        <source>Прервать поиск</source>
        <translation>Cancel search</translation>
    </message>
    <message>
        <source> мин на темп</source>
        <translation> min per rate</translation>
    </message>
    <message>
        <source>Темп, вдохов/мин</source>
        <translation>Rate, breaths/min</translation>
    </message>
    <message>
        <source>Пик LF, мс²</source>
        <translation>LF peak, ms²</translation>
    </message>
    <message>
        <source>Амплитуда, уд/мин</source>
        <translation>Amplitude, bpm</translation>
    </message>
    <message>
        <source>Когерентность</source>
        <translation>Coherence</translation>
    </message>
    <message>
        <source>Резонанс</source>
        <translation>Resonance</translation>
    </message>
    <message>
        <source>Темпы:</source>
        <translation>Rates:</translation>
    </message>
    <message>
        <source>Поиск прерван</source>
        <translation>Search cancelled</translation>
    </message>
    <message>
        <source>Запись остановлена, поиск прерван</source>
        <translation>The recording stopped; search cancelled</translation>
    </message>
    <message>
        <source>Поиск начинается</source>
        <translation>Search starting</translation>
    </message>
    <message>
        <source>Поиск: темп %1 вдохов/мин, шаг %2 из %3, до смены %4 с</source>
        <translation>Search: rate %1 breaths/min, step %2 of %3, %4 s to the next</translation>
    </message>
    <message>
        <source>Резонансную частоту найти не удалось: мало ударов на каждом темпе</source>
        <translation>No resonance frequency found: too few beats at each rate</translation>
    </message>
    <message>
        <source>Резонансная частота %1 вдохов/мин (поиск с %2 с записи)</source>
        <translation>Resonance frequency %1 breaths/min (search from %2 s of the recording)</translation>
    </message>
    <message>
        <source>Установить темп %1</source>
        <translation>Set rate %1</translation>
    </message>
    <message>
        <source>Укажите темпы через точку с запятой, например «%1»</source>
        <translation>Enter the rates separated by semicolons, for example “%1”</translation>
    </message>
    <message>
        <source>«%1» не число; темпы пишутся через точку с запятой, например «%2»</source>
        <translation>“%1” is not a number; separate the rates by semicolons, for example “%2”</translation>
    </message>
    <message>
        <source>Темп %1 вне пределов %2–%3 вдохов/мин</source>
        <translation>Rate %1 is outside %2–%3 breaths/min</translation>
    </message>
    <message>
        <source>Темп %1 не кратен %2 вдоха/мин</source>
        <translation>Rate %1 is not a multiple of %2 breaths/min</translation>
    </message>
</context>
<context>
    <name>trivant::ReviewPanel</name>
    <message>
        <source>№</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>Время</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>Тип</source>
        <translation>Kind</translation>
    </message>
    <message>
        <source>Интервал, мс</source>
        <translation>Interval, ms</translation>
    </message>
    <message>
        <source>Исправить</source>
        <translation>Correct</translation>
    </message>
    <message>
        <source>Оставить</source>
        <translation>Keep</translation>
    </message>
    <message>
        <source>Удалить удар</source>
        <translation>Delete beat</translation>
    </message>
    <message>
        <source>Вставить удар</source>
        <translation>Insert beat</translation>
    </message>
    <message>
        <source>Вернуть как было</source>
        <translation>Restore as recorded</translation>
    </message>
    <message>
        <source>Исправить все</source>
        <translation>Correct all</translation>
    </message>
    <message>
        <source>Закрыть</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Артефактов: %1, исправлено ударов: %2</source>
        <translation>Artifacts: %1, beats edited: %2</translation>
    </message>
</context>
<context>
    <name>trivant::StageWindow</name>
    <message>
        <source>Этапов: %1</source>
        <translation>Stages: %1</translation>
    </message>
</context>
<context>
    <name>trivant::TrainingCanvas</name>
    <message>
        <source>Вдох</source>
        <translation>Breathe in</translation>
    </message>
    <message>
        <source>Выдох</source>
        <translation>Breathe out</translation>
    </message>
    <message>
        <source>ЧСС, уд/мин</source>
        <translation>HR, bpm</translation>
    </message>
    <message>
        <source>Когерентность</source>
        <translation>Coherence</translation>
    </message>
</context>
<context>
    <name>trivant::TrainingWindow</name>
    <message>
        <source>Старт</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Стоп</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source> вдохов/мин</source>
        <translation> breaths/min</translation>
    </message>
    <message>
        <source> % вдох</source>
        <translation> % inhale</translation>
    </message>
    <message>
        <source>Темп:</source>
        <translation>Rate:</translation>
    </message>
    <message>
        <source>Вдох:</source>
        <translation>Inhale:</translation>
    </message>
    <message>
        <source>ЧСС %1 уд/мин   RMSSD (60 с) %2 мс   амплитуда %3 уд/мин   когерентность %4</source>
        <translation>HR %1 bpm   RMSSD (60 s) %2 ms   amplitude %3 bpm   coherence %4</translation>
    </message>
    <message>
        <source>Экспорт CSV...</source>
        <translation>Export CSV...</translation>
    </message>
    <message>
        <source>Экспорт итога тренинга</source>
        <translation>Export the training summary</translation>
    </message>
    <message>
        <source>Файлы CSV (*.csv)</source>
        <translation>CSV files (*.csv)</translation>
    </message>
    <message>
        <source>Не удалось записать файл %1</source>
        <translation>Could not write the file %1</translation>
    </message>
    <message>
        <source>Печать...</source>
        <translation>Print...</translation>
    </message>
    <message>
        <source>Итог тренинга</source>
        <translation>Training summary</translation>
    </message>
    <message>
        <source>Начало: %1</source>
        <translation>Start: %1</translation>
    </message>
    <message>
        <source>Темп, вдохов/мин: %1</source>
        <translation>Rate, breaths/min: %1</translation>
    </message>
    <message>
        <source>Итог тренинга дыхания</source>
        <translation>Breathing training summary</translation>
    </message>
</context>
<context>
    <name>trivant::TrendWindow</name>
    <message>
        <source>—</source>
        <translation>—</translation>
    </message>
    <message>
        <source> с</source>
        <translation> s</translation>
    </message>
    <message>
        <source>&amp;Окно</source>
        <translation>&amp;Window</translation>
    </message>
    <message>
        <source>&amp;Шаг</source>
        <translation>&amp;Step</translation>
    </message>
    <message>
        <source>Запись короче окна: показатели не вычислены</source>
        <translation>The recording is shorter than the window: no measures</translation>
    </message>
    <message>
        <source>Окон: %1</source>
        <translation>Windows: %1</translation>
    </message>
    <message>
        <source> · SDANN %1 мс · SDNN-индекс %2 мс</source>
        <translation> · SDANN %1 ms · SDNN index %2 ms</translation>
    </message>
</context>
</TS>
